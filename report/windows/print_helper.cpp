// The print helper on Windows: the report goes through Qt's Windows print
// support to the printer Windows names as the default, without a dialog, or
// into the output file the window asked the user for. It runs apart from the
// window (print_helper_launch.h), as a printer shared by another machine can
// hold the spooler far longer than the window may wait.
#include "report/print_helper.h"

#include <windows.h>

#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "process/helper_exit.h"
#include "process/windows/command_line.h"
#include "report/printer_job.h"
#include "report/report_texts_record.h"
#include "report/windows/print_helper_launch.h"
#include "report/windows/printer_port.h"
#include "report/windows/quiet_failure.h"

namespace brennquist {
namespace {

const char* const kJobTitle = "Brennquist";

// The spooler's part: the default printer, the page, the job. A printer that
// would ask for a file inside StartDoc is not started without one; a name
// ending in .pdf gets Qt's own PDF rather than the driver's output.
int PrintNow(const ReportTexts& texts, const std::filesystem::path& outputFile) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        return ExitCodeFor(PrintOutcome::NoDefaultPrinter);
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    if (outputFile.empty()) {
        if (PortAsksForOutputFile(defaultPrinter.printerName().toStdWString())) {
            return static_cast<int>(kPrintHelperWantsOutputFile);
        }
    } else {
        printer.setOutputFileName(QString::fromStdWString(outputFile.wstring()));
    }
    printer.setDocName(QString::fromLatin1(kJobTitle));
    printer.setFullPage(false);
    return ExitCodeFor(PrintReportOn(printer, texts) ? PrintOutcome::Printed
                                                     : PrintOutcome::JobFailed);
}

std::optional<ReportTexts> ReadTexts(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string record{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return ReportTextsFromRecord(record);
}

int ServeAsPrintHelper(const char* program, const std::filesystem::path& textsFile,
                       const std::filesystem::path& outputFile) {
    const std::optional<ReportTexts> texts = ReadTexts(textsFile);
    if (!texts) {
        return ExitCodeFor(PrintOutcome::JobFailed);
    }
    std::string programName(program);
    std::array<char*, 2> qtArguments = {programName.data(), nullptr};
    int qtArgumentCount = 1;
    // QPrinter draws with the fonts of a running QGuiApplication.
    const QGuiApplication application(qtArgumentCount, qtArguments.data());
    return PrintNow(*texts, outputFile);
}

}  // namespace

std::optional<int> AnswerAsPrintHelper(const int argc, const char* const* argv) {
    if (argc < 2 || argv[1] != kPrintHelperArgument) {
        return std::nullopt;
    }
    EndQuietlyOnFailure(ExitCodeFor(PrintOutcome::JobFailed));
    const std::vector<std::wstring> arguments = WideArguments();
    if (arguments.size() < 3 || arguments.size() > 4 || arguments[1] != kWidePrintHelperArgument) {
        return 2;
    }
    return ServeAsPrintHelper(argv[0], arguments[2],
                              arguments.size() == 4 ? arguments[3] : std::wstring());
}

}  // namespace brennquist
