// Printing on Windows: the report goes through Qt's Windows print support to
// the printer Windows names as the default, without a dialog.
#include "report/report_printer.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "report/print_report.h"
#include "report/printer_report_page.h"

namespace brennquist {
namespace {

const char* const kJobTitle = "Brennquist";

}  // namespace

bool PrintReportOn(QPrinter& printer, const ReportTexts& texts) {
    PrinterReportPage page(printer);
    if (!page.Begin()) {
        return false;
    }
    PrintReport(page, texts);
    return page.Finished() && printer.printerState() != QPrinter::Error;
}

// The spooler is a local service: asking it for the default printer and
// handing it the page does not wait for the printer itself.
PrintOutcome PrintReportOnDefaultPrinter(const ReportTexts& texts) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        return PrintOutcome::NoDefaultPrinter;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(QString::fromLatin1(kJobTitle));
    printer.setFullPage(false);
    return PrintReportOn(printer, texts) ? PrintOutcome::Printed : PrintOutcome::JobFailed;
}

// The Windows spooler is asked directly (see above): no helper process.
std::optional<int> AnswerAsPrintHelper(int /*argc*/, const char* const* /*argv*/) {
    return std::nullopt;
}

}  // namespace brennquist
