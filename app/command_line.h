#pragma once

#include <optional>
#include <ostream>
#include <string_view>

namespace brennquist {

// The two arguments AnswerCommandLine answers, wherever they stand.
inline constexpr std::string_view kVersionArgument = "--version";
inline constexpr std::string_view kHelpArgument = "--help";

// Answers --version and --help on `out`, before anything graphical starts,
// and gives the exit status. Any other argument is left alone (nullopt): the
// window starts as usual.
[[nodiscard]] std::optional<int> AnswerCommandLine(int argc, const char* const* argv,
                                                   std::ostream& out);

}  // namespace brennquist
