#include <QDate>
#include <QString>
#include <chrono>
#include <filesystem>
#include <optional>

#include "report/report_printer.h"
#include "ui/busy_cursor.h"
#include "ui/calendar_date.h"
#include "ui/file_system_path.h"
#include "ui/frm_main.h"
#include "ui/responsive_wait.h"

namespace brennquist {

// Prints the report of the texts the window shows right now, dated today, on
// the default printer without a dialog, unless that printer prints into a
// file: then the user chooses it, and cancelling is no failure. When it cannot
// be printed the user learns why; the window itself stays as it is. A print
// service that keeps silent holds the busy cursor for the time limit at most.
void frmMain::cmdPrint_Click() {
    const ReportTexts texts{
        .inputs = CurrentInputs(),
        .results = CurrentResults(),
        .printDate = ToYearMonthDay(environment_.today()),
    };
    // The window goes on repainting and answering the desktop while it waits;
    // what the user does meanwhile is handled after the outcome.
    const auto askOutputFile = [this]() -> std::optional<std::filesystem::path> {
        const BusyCursorPause plainCursor;
        const std::optional<QString> file = messages_.AskPrintFile();
        return file ? std::optional(FileSystemPath(*file)) : std::nullopt;
    };
    const PrintOutcome outcome = [&] {
        const BusyCursor busy;
        return PrintReportOnDefaultPrinter(texts, AwaitResponsively, askOutputFile);
    }();
    QString problem;
    switch (outcome) {
        case PrintOutcome::Printed:
        case PrintOutcome::Cancelled:
            return;
        case PrintOutcome::NoDefaultPrinter:
            problem = QStringLiteral(
                "Der Bericht konnte nicht gedruckt werden: Es ist kein Standarddrucker "
                "eingerichtet.");
            break;
        case PrintOutcome::JobFailed:
            problem = QStringLiteral(
                "Der Bericht konnte nicht gedruckt werden: Der Druckauftrag ist fehlgeschlagen.");
            break;
        case PrintOutcome::ServiceUnreachable:
            problem = QStringLiteral(
                "Der Bericht konnte nicht gedruckt werden: Der Druckdienst ist nicht erreichbar.");
            break;
        case PrintOutcome::NoAnswer:
            problem = QStringLiteral(
                "Der Bericht konnte nicht gedruckt werden: Der Drucker hat nicht geantwortet.");
            break;
        case PrintOutcome::AuthenticationRequired:
            problem = QStringLiteral(
                "Der Bericht konnte nicht gedruckt werden: Der Druckdienst verlangt eine "
                "Anmeldung.");
            break;
    }
    messages_.Show(problem, QStringLiteral("Hinweis"), QMessageBox::Warning);
}

}  // namespace brennquist
