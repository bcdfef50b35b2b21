#include "report/report_printer.h"

#include "report/print_helper_process.h"
#include "report/print_report.h"
#include "report/printer_report_page.h"

namespace brennquist {

bool DrawReport(QPagedPaintDevice& device, const ReportTexts& texts) {
    PrinterReportPage page(device);
    if (!page.Begin()) {
        return false;
    }
    PrintReport(page, texts);
    return page.Finished();
}

PrintOutcome PrintReportOnDefaultPrinter(const ReportTexts& texts, const AwaitReady& await,
                                         const AskOutputFile& askOutputFile) {
    return PrintThroughHelper(texts, std::chrono::steady_clock::now() + kPrintServiceTimeLimit,
                              await, askOutputFile);
}

}  // namespace brennquist
