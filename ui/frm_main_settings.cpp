#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <optional>
#include <string>
#include <system_error>

#include "storage/settings_file.h"
#include "ui/frm_main.h"

namespace brennquist {
namespace {

QString SettingsPath(const QString& programFolder) {
    return programFolder + QStringLiteral("/akku.dat");
}

// The file system's spelling of the path.
std::string FileSystemPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// Writes the file whole or not at all, so a failed save never costs the
// setup saved before; the inputs in the window stay as they are either way.
void frmMain::SaveSettings() {
    const QString path = SettingsPath(environment_.programFolder);
    if (SaveSettingsFile(FileSystemPath(path), CurrentInputs())) {
        messages_.Show(QStringLiteral("Die Eingaben konnten nicht in der Datei „%1“ gespeichert "
                                      "werden. Die zuletzt gespeicherten Eingaben bleiben "
                                      "erhalten.")
                           .arg(path),
                       QStringLiteral("Hinweis"), QMessageBox::Warning);
    }
}

// Each line goes into its control before the next is read: the text fields
// recompute on every change, so the order is part of the behaviour.
void frmMain::LoadSettings() {
    SettingsLineReader reader =
        OpenSettingsFile(FileSystemPath(SettingsPath(environment_.programFolder)));
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

    for (QLineEdit* const field : {txtK, txtI, txtg, txtReihe, txtPar, txtIL, txtEta, txtnV}) {
        const std::optional<std::string> line = reader.NextLine();
        if (!line) {
            showNotice();
            return;
        }
        field->setText(FromUtf8(*line));
    }
}

void frmMain::cmdSave_Click() {
    SaveSettings();
}

}  // namespace brennquist
