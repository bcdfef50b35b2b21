// Linux: the waitable is a file descriptor, watched by Qt's event loop, which
// sleeps until it, the deadline's timer or the desktop has something.
#include "ui/responsive_wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>

namespace brennquist {

bool AwaitResponsively(const std::intptr_t waitable,
                       const std::chrono::steady_clock::time_point deadline) {
    QSocketNotifier readable(static_cast<qintptr>(waitable), QSocketNotifier::Read);
    bool ready = false;
    QObject::connect(&readable, &QSocketNotifier::activated, &readable, [&ready, &readable] {
        ready = true;
        readable.setEnabled(false);  // level-triggered: once is enough
    });
    QTimer deadlineTimer;
    deadlineTimer.setSingleShot(true);
    deadlineTimer.setTimerType(Qt::PreciseTimer);
    deadlineTimer.start(std::chrono::ceil<std::chrono::milliseconds>(std::max(
        deadline - std::chrono::steady_clock::now(), std::chrono::steady_clock::duration{})));
    // A quit asked for meanwhile ends no wait.
    while (!ready && deadlineTimer.isActive()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
    }
    return ready;
}

}  // namespace brennquist
