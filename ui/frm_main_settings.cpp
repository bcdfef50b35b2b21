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

}  // namespace

// Writes the file whole or not at all, so a failed save never costs the
// setup saved before; the inputs in the window stay as they are either way.
// The box says which inputs the file holds after a failure.
void frmMain::SaveSettings() {
    const std::filesystem::path path = SettingsPath(environment_.settingsFolder);
    const std::error_code failure = path.empty()
                                        ? std::make_error_code(std::errc::no_such_file_or_directory)
                                        : SaveSettingsFile(path, CurrentInputs());
    if (failure == SaveFailure::kNewContentInPlace) {
        messages_.Show(QStringLiteral("Beim Speichern der Eingaben in der Datei „%1“ ist ein "
                                      "Fehler aufgetreten. Die neuen Eingaben wurden dennoch "
                                      "gespeichert.")
                           .arg(PathText(path)),
                       QStringLiteral("Hinweis"), QMessageBox::Warning);
    } else if (failure) {
        messages_.Show(QStringLiteral("Die Eingaben konnten nicht in der Datei „%1“ gespeichert "
                                      "werden. Die zuletzt gespeicherten Eingaben bleiben "
                                      "erhalten.")
                           .arg(PathText(path)),
                       QStringLiteral("Hinweis"), QMessageBox::Warning);
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
