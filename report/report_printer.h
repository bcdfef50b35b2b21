#pragma once

#include <chrono>

#include "report/print_helper_process.h"
#include "report/print_outcome.h"
#include "report/report_texts.h"

class QPagedPaintDevice;

namespace brennquist {

// How long Drucken may wait for the print service, from the press to the
// outcome: short of ten seconds, so that the message is on the screen within
// ten seconds of the press.
inline constexpr std::chrono::milliseconds kPrintServiceTimeLimit{9000};

// Draws the report as one document on a printer or a PDF writer; false when
// the document could not start or did not complete.
[[nodiscard]] bool DrawReport(QPagedPaintDevice& device, const ReportTexts& texts);

// Prints the report on the system's default printer, without any dialog.
// The page is handed to the print spooler by a helper process; the call
// never waits for the printer itself, and for the spooler no longer than the
// time limit, waiting through `await`. A printer that prints into a file
// gets the one `askOutputFile` names.
[[nodiscard]] PrintOutcome PrintReportOnDefaultPrinter(const ReportTexts& texts,
                                                       const AwaitReady& await = {},
                                                       const AskOutputFile& askOutputFile = {});

}  // namespace brennquist
