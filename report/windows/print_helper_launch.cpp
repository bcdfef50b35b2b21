// The window's side of the Windows print helper: the helper runs in a job
// object that ends with it, so that ending the helper at the deadline also
// ends anything it started, and a crash of the helper shows no dialog. A
// helper that cannot be put in such a job does not run at all. While the
// helper shows a window, someone is answering it: its clock stops.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "process/windows/command_line.h"
#include "report/print_helper_program.h"
#include "report/windows/helper_window.h"
#include "report/windows/job_object_calls.h"
#include "report/windows/print_helper_launch.h"

namespace brennquist {
namespace {

constexpr DWORD kEndingGraceMilliseconds = 300;
constexpr DWORD kResumeFailed = static_cast<DWORD>(-1);
// How often the wait looks for a window of the helper's.
constexpr std::chrono::milliseconds kSlice(250);

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

// None when Windows refuses the job or its limits, as it can where the window
// itself runs in a job.
Handle JobThatEndsWithItsHandle() {
    Handle job(::CreateJobObjectW(nullptr, nullptr));
    if (!job) {
        return job;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (JobObjects().setInformation(job.get(), JobObjectExtendedLimitInformation, &limits,
                                    sizeof limits) == 0) {
        return {};
    }
    return job;
}

// The helper in the job before it runs a single instruction, so that nothing
// it starts escapes. One that Windows keeps out of the job is ended before it
// runs: outside it, it would outlive a window that is killed.
Handle StartInJob(HANDLE job, const std::filesystem::path& program, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                         CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                         &started) == 0) {
        return {};
    }
    Handle process(started.hProcess);
    const Handle thread(started.hThread);
    if (JobObjects().assignProcess(job, process.get()) == 0 ||
        ::ResumeThread(thread.get()) == kResumeFailed) {
        ::TerminateProcess(process.get(), 1);
        return {};
    }
    return process;
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
    const Handle job = JobThatEndsWithItsHandle();
    if (!job) {
        return PrintOutcome::JobFailed;
    }
    const Handle process =
        StartInJob(job.get(), program, HelperCommandLine(program, textsFile, outputFile));
    if (!process) {
        return PrintOutcome::JobFailed;
    }

    if (!AwaitEndWhileNobodyIsAsked(process.get(), deadline, await)) {
        if (::TerminateJobObject(job.get(), 1) == 0) {
            ::TerminateProcess(process.get(), 1);  // the helper at least
        }
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
