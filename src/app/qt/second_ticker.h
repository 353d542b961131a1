#pragma once

#include "app/second_pacer.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace yanchuan {

// The one-second clock on the Qt event loop, aligned to the wall-clock second.
// Each tick arms the next one before it runs, so a tick that falls due while
// this one waits in a nested event loop (a read waiting for a pending draw)
// runs inside it, and no wall-clock second runs twice.
class SecondTicker final : public QObject {
    Q_OBJECT

public:
    explicit SecondTicker(std::function<void()> tick, QObject* parent = nullptr);
    void Start();
    // The timer itself, a child of the ticker, for a window that names its controls.
    QTimer& Timer() { return m_timer; }

private:
    void OnTimeout();
    void Arm();

    std::function<void()> m_tick;
    SecondPacer m_pacer;
    QTimer m_timer;
};

} // namespace yanchuan
