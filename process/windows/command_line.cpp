#include "process/windows/command_line.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace brennquist {

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

std::wstring CommandLineOf(const std::filesystem::path& program,
                           const std::initializer_list<std::wstring_view> arguments) {
    std::wstring line = QuotedArgument(program.native());
    for (const std::wstring_view argument : arguments) {
        line += L' ' + QuotedArgument(argument);
    }
    return line;
}

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

}  // namespace brennquist
