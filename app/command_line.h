#pragma once

#include <optional>
#include <ostream>

namespace brennquist {

// Answers --version and --help on `out`, before anything graphical starts,
// and gives the exit status. Any other argument is left alone (nullopt): the
// window starts as usual.
[[nodiscard]] std::optional<int> AnswerCommandLine(int argc, const char* const* argv,
                                                   std::ostream& out);

}  // namespace brennquist
