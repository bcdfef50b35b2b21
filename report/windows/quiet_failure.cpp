#include "report/windows/quiet_failure.h"

#include <windows.h>

#include <csignal>
#include <cstdlib>

namespace brennquist {
namespace {

volatile std::sig_atomic_t failureExitCode = EXIT_FAILURE;  // NOLINT: read by the signal handler

extern "C" void EndAtOnce(int /*signal*/) {
    std::_Exit(failureExitCode);
}

}  // namespace

void EndQuietlyOnFailure(const int exitCode) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    // In a window program the C runtime writes the message of abort() and of
    // a failed assertion in a message box; standard error waits for nobody.
    ::_set_error_mode(_OUT_TO_STDERR);
    // abort() raises SIGABRT before it may call Windows Error Reporting;
    // the handler ends the process there.
    failureExitCode = exitCode;
    static_cast<void>(std::signal(SIGABRT, EndAtOnce));
}

}  // namespace brennquist
