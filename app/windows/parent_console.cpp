// The program is a window program (no console of its own opens on a double
// click), yet `brennquist --version` typed into a console answers there. This
// file belongs to the executable alone: before main() runs, standard output
// and error that lead nowhere are joined to the console the program was
// started from, if any. Output already redirected to a file or pipe stays so.
#include <windows.h>

#include <cstdio>

namespace {

bool LeadsNowhere(DWORD stream) {
    const HANDLE handle = ::GetStdHandle(stream);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

struct ParentConsole {
    ParentConsole() {
        const bool output = LeadsNowhere(STD_OUTPUT_HANDLE);
        const bool errors = LeadsNowhere(STD_ERROR_HANDLE);
        if ((!output && !errors) || ::AttachConsole(ATTACH_PARENT_PROCESS) == 0) {
            return;
        }
        FILE* reopened = nullptr;
        if (output) {
            static_cast<void>(::freopen_s(&reopened, "CONOUT$", "w", stdout));
        }
        if (errors) {
            static_cast<void>(::freopen_s(&reopened, "CONOUT$", "w", stderr));
        }
    }
};

const ParentConsole kParentConsole;

}  // namespace
