// The window's side of the Windows print helper: the helper runs in a job
// object that ends with it, so that ending the helper at the deadline also
// ends anything it started, and a crash of the helper shows no dialog. A
// helper that cannot be put in such a job does not run at all. While the
// helper shows a window, someone is answering it: its clock stops.
#include <windows.h>

#include <algorithm>
#include <string>

#include "process/windows/command_line.h"
#include "process/windows/helper_start.h"
#include "report/print_helper_program.h"
#include "report/windows/helper_window.h"
#include "report/windows/print_helper_launch.h"

namespace brennquist {
namespace {

constexpr DWORD kEndingGraceMilliseconds = 300;
// How often the wait looks for a window of the helper's.
constexpr std::chrono::milliseconds kSlice(250);

std::wstring HelperCommandLine(const std::filesystem::path& program,
                               const std::filesystem::path& textsFile,
                               const std::filesystem::path& outputFile) {
    return outputFile.empty()
               ? CommandLineOf(program, {kWidePrintHelperArgument, textsFile.native()})
               : CommandLineOf(program,
                               {kWidePrintHelperArgument, textsFile.native(), outputFile.native()});
}

DWORD MillisecondsUntil(const std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<DWORD>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

std::optional<PrintOutcome> OutcomeOf(const DWORD code) {
    if (code == kPrintHelperWantsOutputFile) {
        return std::nullopt;
    }
    return OutcomeOfExitCode(code, {PrintOutcome::Printed, PrintOutcome::NoDefaultPrinter,
                                    PrintOutcome::JobFailed, PrintOutcome::ServiceUnreachable,
                                    PrintOutcome::NoAnswer, PrintOutcome::AuthenticationRequired})
        .value_or(PrintOutcome::JobFailed);  // it crashed or could not read its texts
}

// Whether the helper ended before the deadline.
bool AwaitEnd(HANDLE process, const std::chrono::steady_clock::time_point deadline,
              const AwaitReady& await) {
    if (await) {
        return await(reinterpret_cast<std::intptr_t>(process), deadline);
    }
    return ::WaitForSingleObject(process, MillisecondsUntil(deadline)) == WAIT_OBJECT_0;
}

// The same, in slices: a slice after which the helper shows a window of its
// own (a driver asking the user where its file goes) moves the deadline back
// by its length, so that the user's time does not count.
bool AwaitEndWhileNobodyIsAsked(HANDLE process, std::chrono::steady_clock::time_point deadline,
                                const AwaitReady& await) {
    const DWORD processId = ::GetProcessId(process);
    for (;;) {
        const auto sliceStart = std::chrono::steady_clock::now();
        if (AwaitEnd(process, std::min(sliceStart + kSlice, deadline), await)) {
            return true;
        }
        const auto sliceEnd = std::chrono::steady_clock::now();
        if (ShowsAWindow(processId)) {
            deadline += sliceEnd - sliceStart;
        } else if (sliceEnd >= deadline) {
            return false;
        }
    }
}

}  // namespace

std::optional<PrintOutcome> RunPrintHelper(const std::filesystem::path& textsFile,
                                           const std::chrono::steady_clock::time_point deadline,
                                           const AwaitReady& await,
                                           const std::filesystem::path& outputFile) {
    const std::filesystem::path program = PrintHelperProgram();
    if (program.empty()) {
        return PrintOutcome::JobFailed;
    }
    const std::optional<StartedHelper> helper =
        StartHelper(program, HelperCommandLine(program, textsFile, outputFile), true);
    if (!helper) {
        return PrintOutcome::JobFailed;
    }
    const HANDLE process = helper->process.get();

    if (!AwaitEndWhileNobodyIsAsked(process, deadline, await)) {
        if (::TerminateJobObject(helper->job.get(), 1) == 0) {
            ::TerminateProcess(process, 1);  // the helper at least
        }
        // Ending is asynchronous: a moment for it to let go of the texts
        // file, so that its folder can be removed.
        ::WaitForSingleObject(process, kEndingGraceMilliseconds);
        return PrintOutcome::NoAnswer;
    }
    DWORD code = 0;
    if (::GetExitCodeProcess(process, &code) == 0) {
        return PrintOutcome::JobFailed;
    }
    return OutcomeOf(code);
}

}  // namespace brennquist
