// The window's side of Drucken on Windows: the report's texts go to a file
// that the helper (print_helper.cpp) draws on the default printer.
#include "report/print_helper_process.h"

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

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
                                const AwaitReady& await) {
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        return PrintOutcome::JobFailed;
    }
    const std::filesystem::path textsFile =
        QDir::toNativeSeparators(folder.filePath(QStringLiteral("report.txt"))).toStdWString();
    if (!WriteTexts(textsFile, texts)) {
        return PrintOutcome::JobFailed;
    }
    return RunPrintHelper(textsFile, deadline, await);
}

}  // namespace brennquist
