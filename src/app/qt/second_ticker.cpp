#include "app/qt/second_ticker.h"

#include <chrono>

namespace yanchuan {

SecondTicker::SecondTicker(std::function<void()> tick, QObject* parent)
    : QObject(parent)
    , m_tick(std::move(tick))
    , m_timer(this)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SecondTicker::OnTimeout);
}

void SecondTicker::Start() { Arm(); }

void SecondTicker::Arm() { m_timer.start(SecondPacer::DelayToNextSecond(std::chrono::system_clock::now())); }

void SecondTicker::OnTimeout()
{
    const bool due = m_pacer.TakeSecond(std::chrono::system_clock::now());
    Arm();
    if (due) {
        m_tick();
    }
}

} // namespace yanchuan
