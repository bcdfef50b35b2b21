// The program is a window program: no console of its own opens on a double
// click, and one started from a console stays apart from it, so that closing
// that console or Ctrl+C in it cannot end the window with its inputs unsaved,
// and Qt's warnings do not land there. Only `brennquist --version` or
// `--help` typed into a console answers there: this file belongs to the
// executable alone, and before main() runs, for these two questions only,
// standard output and error that lead nowhere are joined to the console the
// program was started from, if any. Output already redirected to a file or
// pipe stays so. The helpers never ask.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <span>
#include <string_view>

#include "app/command_line.h"
#include "mail/windows/mail_helper.h"
#include "report/windows/print_helper_launch.h"

namespace {

bool LeadsNowhere(DWORD stream) {
    const HANDLE handle = ::GetStdHandle(stream);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

// The questions are ASCII: a wide argument is one if it matches character
// for character.
bool Equals(const std::wstring_view wide, const std::string_view ascii) {
    return std::ranges::equal(wide, ascii, [](const wchar_t left, const char right) {
        return left == static_cast<unsigned char>(right);
    });
}

bool IsQuestion(const std::wstring_view argument) {
    return Equals(argument, brennquist::kVersionArgument) ||
           Equals(argument, brennquist::kHelpArgument);
}

// As main() decides: a helper is answered first, then any argument that asks
// for the version or the usage.
bool AsksAQuestion() {
    int count = 0;
    LPWSTR* const arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return false;
    }
    const std::span<LPWSTR> all(arguments, count > 0 ? static_cast<std::size_t>(count) : 0);
    const bool helper =
        all.size() > 1 && (std::wstring_view(all[1]) == brennquist::kWidePrintHelperArgument ||
                           std::wstring_view(all[1]) == brennquist::kMailHelperArgument);
    const bool asks =
        !helper && all.size() > 1 && std::ranges::any_of(all.subspan(1), [](const LPWSTR argument) {
            return IsQuestion(argument);
        });
    ::LocalFree(static_cast<HLOCAL>(arguments));
    return asks;
}

struct ParentConsole {
    ParentConsole() {
        const bool output = LeadsNowhere(STD_OUTPUT_HANDLE);
        const bool errors = LeadsNowhere(STD_ERROR_HANDLE);
        if ((!output && !errors) || !AsksAQuestion() ||
            ::AttachConsole(ATTACH_PARENT_PROCESS) == 0) {
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
