// The window's side of Drucken on Windows: the report's texts go to a file
// that the helper (print_helper.cpp) draws on the default printer, or into
// the file the user names when that printer asks for one.
#include "report/print_helper_process.h"

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <optional>

#include "report/report_texts_record.h"
#include "report/windows/print_helper_launch.h"

namespace brennquist {
namespace {

bool WriteTexts(const std::filesystem::path& file, const ReportTexts& texts) {
    std::ofstream out(file, std::ios::binary);
    out << RecordOf(texts);
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

PrintOutcome PrintThroughHelper(const ReportTexts& texts,
                                const std::chrono::steady_clock::time_point deadline,
                                const AwaitReady& await, const AskOutputFile& askOutputFile) {
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        return PrintOutcome::JobFailed;
    }
    const std::filesystem::path textsFile =
        QDir::toNativeSeparators(folder.filePath(QStringLiteral("report.txt"))).toStdWString();
    if (!WriteTexts(textsFile, texts)) {
        return PrintOutcome::JobFailed;
    }
    const std::optional<PrintOutcome> outcome = RunPrintHelper(textsFile, deadline, await);
    if (outcome) {
        return *outcome;
    }
    // The printer asks where its output goes: the user answers here, in the
    // window, and the spooler gets what was left of its time once they have.
    const auto left = deadline - std::chrono::steady_clock::now();
    const std::optional<std::filesystem::path> outputFile =
        askOutputFile ? askOutputFile() : std::nullopt;
    if (!outputFile) {
        return PrintOutcome::Cancelled;
    }
    return RunPrintHelper(textsFile, std::chrono::steady_clock::now() + left, await, *outputFile)
        .value_or(PrintOutcome::JobFailed);
}

}  // namespace brennquist
