#pragma once

#include "report/report_texts.h"

class QPrinter;

namespace brennquist {

// The report as one job on a Qt printer (the Windows print helper's part);
// false when the document could not start, did not complete or the job failed.
[[nodiscard]] bool PrintReportOn(QPrinter& printer, const ReportTexts& texts);

}  // namespace brennquist
