// While any brennquist.exe runs, the window or one of its helpers, it holds a
// named mutex by which the installer and the uninstaller find it before they
// touch a file (data/packaging/windows/running_check.nsh asks for the same
// name). In the Global namespace, so that a copy running in another user's
// session counts too. This file belongs to the executable alone.
#include <windows.h>

namespace {

// Never closed: Windows closes it as the process ends, however it ends. Null
// where another user's copy already holds it (access denied): that copy
// marks the program as running then.
[[maybe_unused]] const HANDLE kRunningMark =
    ::CreateMutexW(nullptr, FALSE, L"Global\\com.example.Brennquist");

}  // namespace
