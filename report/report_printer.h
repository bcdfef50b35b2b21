#pragma once

#include "report/report_texts.h"

class QPrinter;

namespace brennquist {

enum class PrintOutcome {
    Printed,           // the page is in the default printer's queue
    NoDefaultPrinter,  // the system has no default printer set up
    JobFailed,         // the document could not be made or the queue refused it
};

// Draws the report on the printer as one document; false when the job could
// not start or did not complete.
[[nodiscard]] bool PrintReportOn(QPrinter& printer, const ReportTexts& texts);

// Prints the report on the system's default printer, without any dialog.
// The page is handed to the print spooler; the call never waits for the
// printer itself.
[[nodiscard]] PrintOutcome PrintReportOnDefaultPrinter(const ReportTexts& texts);

}  // namespace brennquist
