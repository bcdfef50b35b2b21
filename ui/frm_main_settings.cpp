#include <QComboBox>
#include <QLineEdit>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "storage/settings_file.h"
#include "ui/file_system_path.h"
#include "ui/frm_main.h"
#include "ui/utf8_text.h"

namespace brennquist {
namespace {

// akku.dat in the settings folder, spelled as the file system wants it; empty
// where there is no folder for it (never "akku.dat" in the working folder).
std::filesystem::path SettingsPath(const QString& folder) {
    return folder.isEmpty() ? std::filesystem::path() : SettingsFilePath(FileSystemPath(folder));
}

// What the box says after a failed save: which inputs the file holds now.
QString SaveFailureText(const std::error_code failure, const std::filesystem::path& path) {
    const QString file = PathText(path);
    if (failure == SaveFailure::kNewContentInPlace) {
        return QStringLiteral(
                   "Beim Speichern der Eingaben in der Datei „%1“ ist ein Fehler "
                   "aufgetreten. Die neuen Eingaben wurden dennoch gespeichert.")
            .arg(file);
    }
    if (failure == SaveFailure::kFileMayHoldNeither) {
        return QStringLiteral(
                   "Die Eingaben konnten nicht in der Datei „%1“ gespeichert werden, "
                   "und ihr bisheriger Inhalt ließ sich nicht wiederherstellen. Die "
                   "Datei enthält jetzt möglicherweise weder die neuen noch die "
                   "zuletzt gespeicherten Eingaben.")
            .arg(file);
    }
    if (failure == SaveFailure::kOldContentInBackup) {
        return QStringLiteral(
                   "Die Eingaben konnten nicht in der Datei „%1“ gespeichert werden. "
                   "Die zuletzt gespeicherten Eingaben stehen jetzt in der Datei "
                   "„%2“.")
            .arg(file, PathText(SaveBackupPath(path)));
    }
    return QStringLiteral(
               "Die Eingaben konnten nicht in der Datei „%1“ gespeichert werden. "
               "Die zuletzt gespeicherten Eingaben bleiben erhalten.")
        .arg(file);
}

}  // namespace

// Writes the file whole or not at all, so a failed save never costs the
// setup saved before; the inputs in the window stay as they are either way.
// The box says which inputs the file holds after a failure.
void frmMain::SaveSettings() {
    const std::filesystem::path path = SettingsPath(environment_.settingsFolder);
    if (path.empty()) {
        messages_.Show(QStringLiteral("Die Eingaben konnten nicht gespeichert werden: Es wurde "
                                      "kein Ordner für die gespeicherten Eingaben gefunden."),
                       QStringLiteral("Hinweis"), QMessageBox::Warning);
        return;
    }
    if (const std::error_code failure = SaveSettingsFile(path, CurrentInputs())) {
        messages_.Show(SaveFailureText(failure, path), QStringLiteral("Hinweis"),
                       QMessageBox::Warning);
    }
}

// Each line goes into its control before the next is read: the text fields
// recompute on every change, so the order is part of the behaviour.
void frmMain::LoadSettings() {
    SettingsLineReader reader = OpenSettingsFile(SettingsPath(environment_.settingsFolder));
    const auto showNotice = [this] {
        messages_.Show(QStringLiteral("gespeicherte Daten nicht lesbar oder nicht vorhanden!"),
                       QStringLiteral("Hinweis"), QMessageBox::Information);
    };

    const std::optional<std::string> cellType = reader.NextLine();
    if (!cellType) {
        showNotice();
        return;
    }
    // The text part only: typing there recomputes nothing, and neither does this.
    cmbCellSelect->setEditText(FromUtf8(*cellType));
    // The list follows the loaded text, so the arrow keys move on from its
    // entry; selecting by program is no choice and recomputes nothing.
    const QString loadedType = cmbCellSelect->currentText();
    cmbCellSelect->setCurrentIndex(cmbCellSelect->findText(loadedType));
    cmbCellSelect->setEditText(loadedType);  // a text of no entry stays as loaded

    for (const InputEntry& input : kTextInputs) {
        const std::optional<std::string> line = reader.NextLine();
        if (!line) {
            showNotice();
            return;
        }
        TextField(input)->setText(FromUtf8(*line));
    }
}

void frmMain::cmdSave_Click() {
    SaveSettings();
}

}  // namespace brennquist
