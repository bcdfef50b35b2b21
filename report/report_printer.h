#pragma once

#include <chrono>
#include <optional>

#include "report/print_outcome.h"
#include "report/report_texts.h"

class QPrinter;

namespace brennquist {

// How long Drucken may wait for the print service, from the press to the
// outcome: short of ten seconds, so that the message is on the screen within
// ten seconds of the press.
inline constexpr std::chrono::milliseconds kPrintServiceTimeLimit{9000};

// Draws the report on the printer as one document; false when the job could
// not start or did not complete.
[[nodiscard]] bool PrintReportOn(QPrinter& printer, const ReportTexts& texts);

// Prints the report on the system's default printer, without any dialog.
// The page is handed to the print spooler; the call never waits for the
// printer itself, and waits for the spooler no longer than the time limit.
[[nodiscard]] PrintOutcome PrintReportOnDefaultPrinter(const ReportTexts& texts);

// Printing may start the program again as a helper for the exchange with the
// print spooler. main() lets this answer first, before anything graphical
// starts: the helper's exit status, or nullopt for any other command line.
[[nodiscard]] std::optional<int> AnswerAsPrintHelper(int argc, const char* const* argv);

}  // namespace brennquist
