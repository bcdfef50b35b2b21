#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace brennquist {

// The argument as a command line spells it, so that CommandLineToArgvW (and
// the C runtime) read it back unchanged, quotes, backslashes and line breaks
// included: in quotes; backslashes count only before a quote, where each is
// doubled, and a quote of the argument gets one of its own.
[[nodiscard]] std::wstring QuotedArgument(std::wstring_view argument);

// The command line that starts `program` with these arguments, each quoted.
[[nodiscard]] std::wstring CommandLineOf(const std::filesystem::path& program,
                                         std::initializer_list<std::wstring_view> arguments);

// The command line this process was started with, as Windows holds it (wide):
// argv would carry it in the ANSI code page, which cannot spell every user's
// folder name or every character typed. The program's own name first.
[[nodiscard]] std::vector<std::wstring> WideArguments();

}  // namespace brennquist
