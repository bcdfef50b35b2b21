#include "mail/windows/mail_helper.h"

// After windows.h, whose types it uses.
#include <objbase.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "mail/open_mail_link.h"
#include "mail/shell_execute_outcome.h"
#include "process/helper_exit.h"
#include "process/own_program.h"
#include "process/windows/command_line.h"
#include "process/windows/helper_start.h"

namespace brennquist {
namespace {

std::wstring Wide(const std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(std::max(length, 0)));
    return wide;
}

int RunMailHelper(const std::wstring& link) {
    // Nobody is there to answer a Windows error dialog.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    // The shell may hand the link to an extension through COM, which wants
    // a single-threaded apartment.
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const MailOutcome outcome = HandOverToShell(link, ::ShellExecuteW);
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return ExitCodeFor(outcome);
}

}  // namespace

// As the program's design has it: no owner window, the verb "Open", empty
// texts (not null) for the parameters and the folder, shown normally. The
// wide call takes every character of the link as typed.
MailOutcome HandOverToShell(const std::wstring& link, const ShellExecuteCall shell) {
    const HINSTANCE result = shell(nullptr, L"Open", link.c_str(), L"", L"", SW_SHOWNORMAL);
    return MailOutcomeOfShellExecute(
        reinterpret_cast<INT_PTR>(result));  // NOLINT(*-reinterpret-cast)
}

MailHandOver::MailHandOver(const std::string_view link) {
    const std::filesystem::path program = OwnProgramPath();
    // Not ended with the window: a mail program that answers late still gets the link.
    std::optional<StartedHelper> helper =
        StartHelper(program, CommandLineOf(program, {kMailHelperArgument, Wide(link)}), false);
    if (helper) {
        process_ = helper->process.release();
    }
}

MailHandOver::~MailHandOver() {
    if (process_ != nullptr) {
        ::CloseHandle(process_);
    }
}

std::optional<MailOutcome> MailHandOver::Outcome() const {
    if (process_ == nullptr) {
        return MailOutcome::StartFailed;
    }
    if (::WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    if (::GetExitCodeProcess(process_, &code) == 0) {
        return MailOutcome::StartFailed;
    }
    return OutcomeOfExitCode(code, {MailOutcome::HandedOver, MailOutcome::NoMailProgram,
                                    MailOutcome::StartFailed})
        .value_or(MailOutcome::StartFailed);  // the helper crashed
}

MailOutcome MailHandOver::Await(const std::chrono::steady_clock::time_point deadline,
                                const AwaitHandOver& await) const {
    if (process_ != nullptr && await) {
        static_cast<void>(await(reinterpret_cast<std::intptr_t>(process_), deadline));
    } else if (process_ != nullptr) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const std::int64_t milliseconds = std::clamp<std::int64_t>(left.count(), 0, INFINITE - 1);
        ::WaitForSingleObject(process_, static_cast<DWORD>(milliseconds));
    }
    return Outcome().value_or(MailOutcome::HandedOver);
}

std::optional<int> AnswerAsMailHelper(const int argc, const char* const* /*argv*/) {
    if (argc < 2) {
        return std::nullopt;
    }
    const std::vector<std::wstring> arguments = WideArguments();
    if (arguments.size() < 2 || arguments[1] != kMailHelperArgument) {
        return std::nullopt;
    }
    return arguments.size() == 3 ? RunMailHelper(arguments[2]) : 2;
}

}  // namespace brennquist
