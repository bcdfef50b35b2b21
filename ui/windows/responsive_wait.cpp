// Windows: the waitable is a handle, watched by the event loop; the loop
// also answers the messages other processes send the window meanwhile.
#include "ui/responsive_wait.h"

#include <QWinEventNotifier>

namespace brennquist {

bool AwaitResponsively(const std::intptr_t waitable,
                       const std::chrono::steady_clock::time_point deadline) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the handle came as a number
    QWinEventNotifier signalled(reinterpret_cast<Qt::HANDLE>(waitable));
    bool ready = false;
    QObject::connect(&signalled, &QWinEventNotifier::activated, &signalled, [&ready, &signalled] {
        ready = true;
        signalled.setEnabled(false);
    });
    return HandleEventsUntil(ready, deadline);
}

}  // namespace brennquist
