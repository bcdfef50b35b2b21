#include "report/report_printer.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "report/print_queue.h"
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
    return page.Finished();
}

PrintOutcome PrintReportOnDefaultPrinter(const ReportTexts& texts) {
    // Without a default printer a QPrinter quietly falls back to PDF output,
    // so the missing printer has to be caught here.
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        return PrintOutcome::NoDefaultPrinter;
    }
    // The page is made as PDF in the printer's own paper size and margins and
    // then handed to the spooler, which reports whether it took the job.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        return PrintOutcome::JobFailed;
    }
    const QString pdfFile = folder.filePath(QStringLiteral("report.pdf"));
    {
        const QPrinter queue(defaultPrinter, QPrinter::HighResolution);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        printer.setPageLayout(queue.pageLayout());
        printer.setDocName(QString::fromLatin1(kJobTitle));
        if (!PrintReportOn(printer, texts)) {
            return PrintOutcome::JobFailed;
        }
    }
    return SubmitToPrintQueue(defaultPrinter.printerName(), pdfFile, QString::fromLatin1(kJobTitle))
               ? PrintOutcome::Printed
               : PrintOutcome::JobFailed;
}

}  // namespace brennquist
