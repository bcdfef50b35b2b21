#include "mail/windows/mail_helper.h"

// After windows.h, whose types they use.
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "mail/open_mail_link.h"
#include "mail/shell_execute_outcome.h"

namespace brennquist {
namespace {

// The helper's exit code for each outcome: this base plus the outcome's
// number, so that a crash's code is never taken for an outcome.
constexpr DWORD kMailHelperExitBase = 100;
// The longest path Windows gives a program file.
constexpr DWORD kLongestPath = 32768;

std::wstring Wide(const std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(std::max(length, 0)));
    return wide;
}

std::wstring OwnProgramPath() {
    std::wstring path(kLongestPath, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), kLongestPath);
    path.resize(length < kLongestPath ? length : 0);
    return path;
}

// The command line as Windows holds it: argv would carry the link in the ANSI
// code page, which cannot spell every character typed.
std::vector<std::wstring> WideArguments() {
    int count = 0;
    LPWSTR* const arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return {};
    }
    std::vector<std::wstring> result(arguments, arguments + count);
    ::LocalFree(static_cast<HLOCAL>(arguments));
    return result;
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
    return static_cast<int>(kMailHelperExitBase) + static_cast<int>(outcome);
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

// Each argument in quotes; backslashes count only before a quote, where each
// is doubled, and a quote of the argument gets one of its own.
std::wstring QuotedArgument(const std::wstring_view argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t character : argument) {
        if (character == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(character == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += character;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L'"';
}

MailHandOver::MailHandOver(const std::string_view link) {
    const std::wstring program = OwnProgramPath();
    std::wstring commandLine = QuotedArgument(program) + L' ' + std::wstring(kMailHelperArgument) +
                               L' ' + QuotedArgument(Wide(link));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (program.empty() ||
        ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                         CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started) == 0) {
        return;
    }
    ::CloseHandle(started.hThread);
    process_ = started.hProcess;
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
    for (const MailOutcome outcome :
         {MailOutcome::HandedOver, MailOutcome::NoMailProgram, MailOutcome::StartFailed}) {
        if (code == kMailHelperExitBase + static_cast<DWORD>(outcome)) {
            return outcome;
        }
    }
    return MailOutcome::StartFailed;  // the helper crashed
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
