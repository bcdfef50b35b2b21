// This test program, a console program, stands in for the window program
// when Drucken starts it again as the print helper. There, a fatal Qt message
// ends in abort() as Microsoft documents msvcrt's abort() for a window
// program: its message in a box unless the error mode says standard error,
// then SIGABRT, then exit code 3. (Qt for Windows itself ends such a process
// without abort(), and Wine's abort() shows no box at all.)
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <QtGlobal>
#include <csignal>
#include <cstdlib>
#include <string_view>

#include "report/windows/print_helper.h"

namespace {

[[noreturn]] void AbortAsInAWindowProgram() {
    if (::_set_error_mode(_REPORT_ERRMODE) != _OUT_TO_STDERR) {
        ::MessageBoxW(nullptr, L"abnormal program termination", L"Runtime Error!", MB_OK);
    }
    static_cast<void>(std::raise(SIGABRT));
    std::_Exit(3);
}

void AbortOnFatal(const QtMsgType type, const QMessageLogContext& /*context*/,
                  const QString& /*message*/) {
    if (type == QtFatalMsg) {
        AbortAsInAWindowProgram();
    }
}

bool StartedAsPrintHelper() {
    int count = 0;
    LPWSTR* const arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const bool helper = arguments != nullptr && count > 1 &&
                        std::wstring_view(arguments[1]) == brennquist::kWindowsPrintHelperArgument;
    ::LocalFree(static_cast<HLOCAL>(arguments));
    return helper;
}

struct WindowProgramAbort {
    WindowProgramAbort() {
        if (StartedAsPrintHelper()) {
            qInstallMessageHandler(AbortOnFatal);
        }
    }
};

const WindowProgramAbort kWindowProgramAbort;

}  // namespace
