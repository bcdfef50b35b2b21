#pragma once

#include <chrono>
#include <string_view>

// What the print helper and its parent say to each other, one line each, on
// the socket that is the helper's standard input and output:
//   helper: "connected"                       the print service took the connection
//   helper: "paper W L LEFT BOTTOM RIGHT TOP" the default printer's paper (PaperSize)
//   parent: "print"                           the PDF file is written: hand it over
//   helper: "outcome N"                       how it ended (PrintOutcome as a number)
// The helper can end with an outcome at any point; the parent ends the
// helper when its time is up.
namespace brennquist {

// How long the helper itself waits for the print service, all exchanges
// together; its parent ends it a little later.
inline constexpr std::chrono::milliseconds kPrintHelperTimeLimit{8500};

}  // namespace brennquist

namespace brennquist::print_helper_words {
inline constexpr std::string_view kConnected = "connected";
inline constexpr std::string_view kPaper = "paper";
inline constexpr std::string_view kPrint = "print";
inline constexpr std::string_view kOutcome = "outcome";
}  // namespace brennquist::print_helper_words
