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

// Makes the report as a PDF file in the given paper size and margins.
bool PrintReportToPdf(const QString& pdfFile, const QPageLayout& layout, const ReportTexts& texts) {
    // Given a printer, even a null one, QPrinter does not go looking for the
    // default printer itself, which would wait on the print service unbounded.
    QPrinter printer(QPrinterInfo(), QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFile);
    printer.setPageLayout(layout);
    printer.setDocName(QString::fromLatin1(kJobTitle));
    return PrintReportOn(printer, texts);
}

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
    // The printer is looked up through the print service directly: Qt's own
    // look-up cannot be given a time limit.
    PrintQueueSession session(kPrintServiceTimeLimit);
    QPageLayout layout;
    if (!session.FindDefaultPrinter() || !session.LookUpPageLayout(layout)) {
        return session.Failure();
    }
    // The page is made as PDF in the printer's own paper size and margins and
    // then handed to the spooler, which reports whether it took the job.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        return PrintOutcome::JobFailed;
    }
    const QString pdfFile = folder.filePath(QStringLiteral("report.pdf"));
    if (!PrintReportToPdf(pdfFile, layout, texts)) {
        return PrintOutcome::JobFailed;
    }
    return session.Submit(pdfFile, QString::fromLatin1(kJobTitle)) ? PrintOutcome::Printed
                                                                   : session.Failure();
}

}  // namespace brennquist
