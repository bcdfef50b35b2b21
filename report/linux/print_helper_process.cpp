// The window's side of Drucken on Linux: the helper asks CUPS for the default
// printer's paper, the page is drawn here as PDF in that paper, and the helper
// hands the file to the print service (print_helper_connection.h).
#include "report/print_helper_process.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSizeF>

#include "report/linux/print_helper_connection.h"
#include "report/report_printer.h"

namespace brennquist {
namespace {

const char* const kJobTitle = "Brennquist";
constexpr double kHundredthsPerMillimetre = 100.0;

QPageLayout PageLayoutOf(const PaperSize& paper) {
    const auto mm = [](int hundredths) { return hundredths / kHundredthsPerMillimetre; };
    return {QPageSize(QSizeF(mm(paper.width), mm(paper.length)), QPageSize::Millimeter, QString(),
                      QPageSize::FuzzyMatch),
            QPageLayout::Portrait,
            QMarginsF(mm(paper.left), mm(paper.top), mm(paper.right), mm(paper.bottom)),
            QPageLayout::Millimeter};
}

// Writes the report as PDF in the given paper size and margins to the open
// file `descriptor`. A QPdfWriter, as any QPrinter would look for the default
// printer on its own, with no time limit.
bool PrintReportToPdf(const int descriptor, const QPageLayout& layout, const ReportTexts& texts) {
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        return false;
    }
    {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(layout);
        pdf.setTitle(QString::fromLatin1(kJobTitle));
        if (!DrawReport(pdf, texts)) {
            return false;
        }
    }
    return file.flush() && file.error() == QFileDevice::NoError;
}

// A file without a name, which ends with the last process that holds it.
struct AnonymousFile {
    AnonymousFile() : descriptor(::memfd_create("brennquist-report.pdf", MFD_CLOEXEC)) {}
    AnonymousFile(const AnonymousFile&) = delete;
    AnonymousFile& operator=(const AnonymousFile&) = delete;
    AnonymousFile(AnonymousFile&&) = delete;
    AnonymousFile& operator=(AnonymousFile&&) = delete;
    ~AnonymousFile() {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
    const int descriptor;
};

}  // namespace

// A name look-up, an encrypted connection, a password request or a server
// that never finishes its answer cannot hold the window past the deadline.
// A CUPS queue never asks where its output goes.
PrintOutcome PrintThroughHelper(const ReportTexts& texts,
                                const std::chrono::steady_clock::time_point deadline,
                                const AwaitReady& await, const AskOutputFile& /*askOutputFile*/) {
    const AnonymousFile pdf;
    if (pdf.descriptor < 0) {
        return PrintOutcome::JobFailed;
    }
    PrintHelperConnection helper(pdf.descriptor, kJobTitle, deadline, await);
    const std::optional<PaperSize> paper = helper.AwaitPaper();
    if (!paper) {
        return helper.Outcome();
    }
    if (!PrintReportToPdf(pdf.descriptor, PageLayoutOf(*paper), texts)) {
        return PrintOutcome::JobFailed;
    }
    return helper.Print();
}

}  // namespace brennquist
