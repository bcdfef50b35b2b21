#include "report/printer_job.h"

#include <QPrinter>

#include "report/report_printer.h"

namespace brennquist {

bool PrintReportOn(QPrinter& printer, const ReportTexts& texts) {
    return DrawReport(printer, texts) && printer.printerState() != QPrinter::Error;
}

}  // namespace brennquist
