// The print helper that AHelperThatAbortsFailsTheJob starts (this console
// test program again, on a Qt platform that does not exist) stands in for the
// window program's: Qt's warning that it finds no such platform ends in
// abort() as Microsoft documents msvcrt's abort() in a window program, with a
// message box unless the error mode says standard error, then SIGABRT, then
// exit code 3. (Wine's abort() shows no box.)
#include <windows.h>

#include <QString>
#include <QtGlobal>
#include <csignal>
#include <cstdlib>

namespace {

void AbortAsInAWindowProgram(const QtMsgType type, const QMessageLogContext& /*context*/,
                             const QString& /*message*/) {
    if (type == QtDebugMsg || type == QtInfoMsg) {
        return;
    }
    if (::_set_error_mode(_REPORT_ERRMODE) != _OUT_TO_STDERR) {
        ::MessageBoxW(nullptr, L"abnormal program termination", L"Runtime Error!", MB_OK);
    }
    static_cast<void>(std::raise(SIGABRT));
    std::_Exit(3);
}

struct HelperOnNoPlatform {
    HelperOnNoPlatform() {
        if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("none")) {
            qInstallMessageHandler(AbortAsInAWindowProgram);
        }
    }
};

const HelperOnNoPlatform kHelperOnNoPlatform;

}  // namespace
