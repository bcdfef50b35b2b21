#include "report/windows/helper_window.h"

#include <windows.h>

namespace brennquist {
namespace {

struct WindowSearch {
    DWORD processId = 0;
    bool found = false;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM searchAddress) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): EnumWindows hands our pointer back as a number
    auto& search = *reinterpret_cast<WindowSearch*>(searchAddress);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    search.found = owner == search.processId && ::IsWindowVisible(window) != 0;
    return search.found ? FALSE : TRUE;  // FALSE ends the search
}

}  // namespace

bool ShowsAWindow(const unsigned long processId) {
    WindowSearch search{.processId = processId};
    ::EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace brennquist
