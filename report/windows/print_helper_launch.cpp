// The window's side of the Windows print helper: the helper runs in a job
// object that ends with it, so that ending the helper at the deadline also
// ends anything it started, and a crash of the helper shows no dialog.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "process/windows/command_line.h"
#include "report/print_helper_program.h"
#include "report/windows/print_helper_launch.h"

namespace brennquist {
namespace {

constexpr DWORD kEndingGraceMilliseconds = 300;

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }
};
using Handle = std::unique_ptr<void, HandleCloser>;

std::wstring HelperCommandLine(const std::filesystem::path& program,
                               const std::filesystem::path& textsFile,
                               const std::filesystem::path& outputFile) {
    return outputFile.empty()
               ? CommandLineOf(program, {kWidePrintHelperArgument, textsFile.native()})
               : CommandLineOf(program,
                               {kWidePrintHelperArgument, textsFile.native(), outputFile.native()});
}

Handle JobThatEndsWithItsHandle() {
    Handle job(::CreateJobObjectW(nullptr, nullptr));
    if (!job) {
        return job;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    ::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
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

}  // namespace

std::optional<PrintOutcome> RunPrintHelper(const std::filesystem::path& textsFile,
                                           const std::chrono::steady_clock::time_point deadline,
                                           const AwaitReady& await,
                                           const std::filesystem::path& outputFile) {
    const std::filesystem::path program = PrintHelperProgram();
    if (program.empty()) {
        return PrintOutcome::JobFailed;
    }
    std::wstring commandLine = HelperCommandLine(program, textsFile, outputFile);
    const Handle job = JobThatEndsWithItsHandle();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                         CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                         &started) == 0) {
        return PrintOutcome::JobFailed;
    }
    const Handle process(started.hProcess);
    const Handle thread(started.hThread);
    // In the job before it runs a single instruction, so nothing it starts escapes.
    const bool inJob = job && ::AssignProcessToJobObject(job.get(), process.get()) != 0;
    ::ResumeThread(thread.get());

    if (!AwaitEnd(process.get(), deadline, await)) {
        if (inJob) {
            ::TerminateJobObject(job.get(), 1);
        }
        ::TerminateProcess(process.get(), 1);
        // Ending is asynchronous: a moment for it to let go of the texts
        // file, so that its folder can be removed.
        ::WaitForSingleObject(process.get(), kEndingGraceMilliseconds);
        return PrintOutcome::NoAnswer;
    }
    DWORD code = 0;
    if (::GetExitCodeProcess(process.get(), &code) == 0) {
        return PrintOutcome::JobFailed;
    }
    return OutcomeOf(code);
}

}  // namespace brennquist
