#include "ui/message_boxes.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace brennquist {

void ModalMessageBoxes::CentreOn(QWidget* window) {
    window_ = window;
}

// Boxes raised while loading come before the window is shown: they have no
// parent then, or they would take the hidden window's place on the screen.
QWidget* ModalMessageBoxes::Parent() const {
    return window_ != nullptr && window_->isVisible() ? window_.data() : nullptr;
}

void ModalMessageBoxes::Show(const QString& text, const QString& title, QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, Parent());
    // Texts may carry a path or a typed value; "<b>" in one is shown as written.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// A PDF as the printers that ask mostly make; a name ending in .pdf gets
// one, any other name what the printer's driver makes.
std::optional<QString> ModalMessageBoxes::AskPrintFile() {
    const QString pdf = QStringLiteral("PDF-Dokument (*.pdf)");
    QString chosenFilter = pdf;
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QStringLiteral("Brennquist.pdf"));
    QString file = QFileDialog::getSaveFileName(
        Parent(), QStringLiteral("Druckausgabe speichern unter"), suggested,
        pdf + QStringLiteral(";;Alle Dateien (*.*)"), &chosenFilter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    if (chosenFilter == pdf && QFileInfo(file).suffix().isEmpty()) {
        file += QStringLiteral(".pdf");
    }
    return QDir::toNativeSeparators(file);
}

}  // namespace brennquist
