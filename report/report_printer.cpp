#include "report/report_printer.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include "report/print_queue.h"
#include "report/print_report.h"
#include "report/printer_report_page.h"

namespace brennquist {
namespace {

const char* const kJobTitle = "Brennquist";

bool DrawReport(QPagedPaintDevice& device, const ReportTexts& texts) {
    PrinterReportPage page(device);
    if (!page.Begin()) {
        return false;
    }
    PrintReport(page, texts);
    return page.Finished();
}

// Makes the report as a PDF file in the given paper size and margins. A
// QPdfWriter, as any QPrinter would look for the default printer on its own,
// with no time limit.
bool PrintReportToPdf(const QString& pdfFile, const QPageLayout& layout, const ReportTexts& texts) {
    QPdfWriter pdf(pdfFile);
    pdf.setPageLayout(layout);
    pdf.setTitle(QString::fromLatin1(kJobTitle));
    return DrawReport(pdf, texts);
}

}  // namespace

bool PrintReportOn(QPrinter& printer, const ReportTexts& texts) {
    return DrawReport(printer, texts) && printer.printerState() != QPrinter::Error;
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
