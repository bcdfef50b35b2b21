#pragma once

#include <optional>
#include <string_view>

namespace brennquist {

// The print helper's side. Drucken hands the exchange with the print service
// to this program started again with this first argument: a short-lived
// process without a window, so that its parent (print_helper_process.h) can
// end it at the deadline whatever the service does.
inline constexpr std::string_view kPrintHelperArgument = "--print-helper";

// main() lets this answer first, before anything graphical starts: the
// helper's exit status, or nullopt for any other command line.
[[nodiscard]] std::optional<int> AnswerAsPrintHelper(int argc, const char* const* argv);

}  // namespace brennquist
