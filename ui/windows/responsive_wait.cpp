// Windows: the thread sleeps until the handle is signalled, the deadline
// passes or a message arrives for one of its windows; messages are handled
// as they come (repaints, what other processes and the desktop send), while
// the user's input is kept in Qt's queue for afterwards. The deadline is the
// wait's own time-out, so no timer message has to get through.
#include "ui/responsive_wait.h"

#include <windows.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

namespace brennquist {
namespace {

DWORD MillisecondsUntil(const std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<DWORD>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 60000));
}

}  // namespace

bool AwaitResponsively(const std::intptr_t waitable,
                       const std::chrono::steady_clock::time_point deadline) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the handle came as a number
    const auto handle = reinterpret_cast<HANDLE>(waitable);
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, &handle, MillisecondsUntil(deadline),
                                                          QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) {
            return true;
        }
        if (woken != WAIT_OBJECT_0 + 1) {
            return false;  // the deadline, or a handle that cannot be waited on
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

}  // namespace brennquist
