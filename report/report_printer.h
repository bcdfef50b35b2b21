#pragma once

#include <chrono>

#include "report/print_outcome.h"
#include "report/report_texts.h"

class QPrinter;

namespace brennquist {

// How long Drucken may wait for the print service, all exchanges together:
// short of ten seconds, so that the message is on the screen within ten
// seconds of the press.
inline constexpr std::chrono::milliseconds kPrintServiceTimeLimit{9500};

// Draws the report on the printer as one document; false when the job could
// not start or did not complete.
[[nodiscard]] bool PrintReportOn(QPrinter& printer, const ReportTexts& texts);

// Prints the report on the system's default printer, without any dialog.
// The page is handed to the print spooler; the call never waits for the
// printer itself, and waits for the spooler no longer than the time limit.
[[nodiscard]] PrintOutcome PrintReportOnDefaultPrinter(const ReportTexts& texts);

}  // namespace brennquist
