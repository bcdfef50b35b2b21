#include "report/report_printer.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QSizeF>
#include <QTemporaryDir>

#include "report/print_helper_process.h"
#include "report/print_report.h"
#include "report/printer_report_page.h"

namespace brennquist {
namespace {

const char* const kJobTitle = "Brennquist";
constexpr double kHundredthsPerMillimetre = 100.0;

bool DrawReport(QPagedPaintDevice& device, const ReportTexts& texts) {
    PrinterReportPage page(device);
    if (!page.Begin()) {
        return false;
    }
    PrintReport(page, texts);
    return page.Finished();
}

QPageLayout PageLayoutOf(const PaperSize& paper) {
    const auto mm = [](int hundredths) { return hundredths / kHundredthsPerMillimetre; };
    return {QPageSize(QSizeF(mm(paper.width), mm(paper.length)), QPageSize::Millimeter, QString(),
                      QPageSize::FuzzyMatch),
            QPageLayout::Portrait,
            QMarginsF(mm(paper.left), mm(paper.top), mm(paper.right), mm(paper.bottom)),
            QPageLayout::Millimeter};
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

// The print service is asked in a helper process (see print_helper.h):
// a name look-up, an encrypted connection, a password request or a server
// that never finishes its answer cannot hold the window past the deadline.
// The page itself is drawn here, as PDF in the paper the helper reports.
PrintOutcome PrintReportOnDefaultPrinter(const ReportTexts& texts) {
    const auto deadline = PrintHelperProcess::Clock::now() + kPrintServiceTimeLimit;
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        return PrintOutcome::JobFailed;
    }
    const QString pdfFile = folder.filePath(QStringLiteral("report.pdf"));
    PrintHelperProcess helper(QFile::encodeName(pdfFile).toStdString(), kJobTitle, deadline);
    const std::optional<PaperSize> paper = helper.AwaitPaper();
    if (!paper) {
        return helper.Outcome();
    }
    if (!PrintReportToPdf(pdfFile, PageLayoutOf(*paper), texts)) {
        return PrintOutcome::JobFailed;
    }
    return helper.Print();
}

}  // namespace brennquist
