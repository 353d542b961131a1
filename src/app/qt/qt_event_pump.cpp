#include "app/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace yanchuan {

void QtEventPump::ProcessEvents() { QCoreApplication::processEvents(); }

void QtEventPump::Pause(std::chrono::milliseconds duration)
{
    if (duration.count() <= 0) {
        ProcessEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(duration, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace yanchuan
