#include "process/windows/helper_start.h"

#include "process/windows/job_object_calls.h"

namespace brennquist {
namespace {

constexpr DWORD kResumeFailed = static_cast<DWORD>(-1);

// None when Windows refuses the job or its limits.
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

}  // namespace

std::optional<StartedHelper> StartHelper(const std::filesystem::path& program,
                                         std::wstring commandLine, const bool endsWithWindow) {
    StartedHelper helper;
    if (endsWithWindow) {
        helper.job = JobThatEndsWithItsHandle();
        if (!helper.job) {
            return std::nullopt;
        }
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const DWORD flags = CREATE_NO_WINDOW | (endsWithWindow ? CREATE_SUSPENDED : 0);
    if (program.empty() ||
        ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                         nullptr, nullptr, &startup, &started) == 0) {
        return std::nullopt;
    }
    helper.process.reset(started.hProcess);
    const Handle thread(started.hThread);
    if (endsWithWindow &&
        (JobObjects().assignProcess(helper.job.get(), helper.process.get()) == 0 ||
         ::ResumeThread(thread.get()) == kResumeFailed)) {
        ::TerminateProcess(helper.process.get(), 1);  // outside the job it would outlive the window
        return std::nullopt;
    }
    return helper;
}

}  // namespace brennquist
