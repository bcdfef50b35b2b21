#pragma once

#include "report/report_page.h"
#include "report/report_texts.h"

namespace brennquist {

// Draws the one-page report of the given texts on the page and ends the
// document. It computes, parses and checks nothing: every text goes on the
// page verbatim between its label and unit.
void PrintReport(ReportPage& page, const ReportTexts& texts);

}  // namespace brennquist
