#pragma once

#include <chrono>
#include <string_view>

namespace brennquist {

// The print helper is this program started again with this first argument,
// the PDF file and the job title: a short-lived process without a terminal
// that does the whole exchange with the print service, so that its parent
// can end it whatever that service does (see PrintHelperProcess). main()
// starts it through AnswerAsPrintHelper (report_printer.h).
inline constexpr std::string_view kPrintHelperArgument = "--print-helper";

// How long the helper itself waits for the print service, all exchanges
// together; its parent ends it a little later.
inline constexpr std::chrono::milliseconds kPrintHelperTimeLimit{8500};

}  // namespace brennquist
