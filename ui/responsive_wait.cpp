#include "ui/responsive_wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace brennquist {

bool HandleEventsUntil(const bool& ready, const std::chrono::steady_clock::time_point deadline) {
    QTimer deadlineTimer;
    deadlineTimer.setSingleShot(true);
    deadlineTimer.setTimerType(Qt::PreciseTimer);
    deadlineTimer.start(std::chrono::ceil<std::chrono::milliseconds>(std::max(
        deadline - std::chrono::steady_clock::now(), std::chrono::steady_clock::duration{})));
    // Each round sleeps until an event comes: the waitable's, the deadline's
    // timer or the desktop's. A quit asked for meanwhile ends no wait.
    while (!ready && deadlineTimer.isActive()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
    }
    return ready;
}

}  // namespace brennquist
