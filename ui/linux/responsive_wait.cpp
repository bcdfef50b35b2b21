// Linux: the waitable is a file descriptor, watched by the event loop.
#include "ui/responsive_wait.h"

#include <QSocketNotifier>

namespace brennquist {

bool AwaitResponsively(const std::intptr_t waitable,
                       const std::chrono::steady_clock::time_point deadline) {
    QSocketNotifier readable(static_cast<qintptr>(waitable), QSocketNotifier::Read);
    bool ready = false;
    QObject::connect(&readable, &QSocketNotifier::activated, &readable, [&ready, &readable] {
        ready = true;
        readable.setEnabled(false);  // level-triggered: once is enough
    });
    return HandleEventsUntil(ready, deadline);
}

}  // namespace brennquist
