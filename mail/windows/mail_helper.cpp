#include "mail/windows/mail_helper.h"

// After windows.h, whose types they use.
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "mail/open_mail_link.h"

namespace brennquist {
namespace {

// ShellExecute's own rule: a value above 32 means the link was handed over.
constexpr INT_PTR kHandedOver = 32;
constexpr int kNotTaken = 1;
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
    const bool taken = HandOverToShell(link, ::ShellExecuteW);
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return taken ? 0 : kNotTaken;
}

}  // namespace

// As the program's design has it: no owner window, the verb "Open", empty
// texts (not null) for the parameters and the folder, shown normally. The
// wide call takes every character of the link as typed.
bool HandOverToShell(const std::wstring& link, const ShellExecuteCall shell) {
    const HINSTANCE result = shell(nullptr, L"Open", link.c_str(), L"", L"", SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kHandedOver;  // NOLINT(*-reinterpret-cast)
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

std::optional<bool> MailHandOver::Outcome() const {
    if (process_ == nullptr) {
        return false;
    }
    if (::WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = kNotTaken;
    return ::GetExitCodeProcess(process_, &code) != 0 && code == 0;
}

bool MailHandOver::Await(const std::chrono::steady_clock::time_point deadline) const {
    if (process_ != nullptr) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const std::int64_t milliseconds = std::clamp<std::int64_t>(left.count(), 0, INFINITE - 1);
        ::WaitForSingleObject(process_, static_cast<DWORD>(milliseconds));
    }
    return Outcome().value_or(true);
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
