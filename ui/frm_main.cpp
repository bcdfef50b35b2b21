#include "ui/frm_main.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <algorithm>
#include <cstddef>
#include <string_view>

#include "ui/controls/cr_lines_label.h"
#include "ui/program_icon.h"
#include "ui/twips.h"
#include "ui/utf8_text.h"
#include "ui/window_art.h"
#include "ui/window_fonts.h"

namespace brennquist {
namespace {

constexpr int kClientWidthTwips = 12645;
constexpr int kClientHeightTwips = 8370;

// The address block's lines joined by a lone carriage return.
QString VendorCaption() {
    QStringList lines;
    for (const std::string_view line : kVendorAddressLines) {
        lines << FromUtf8(line);
    }
    return lines.join(QLatin1Char('\r'));
}

}  // namespace

frmMain::frmMain(MessageBoxes& messages, FormEnvironment environment, QWidget* parent)
    : QWidget(parent), messages_(messages), environment_(std::move(environment)) {
    InstallFontSubstitutes();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Brennquist"));
    setWindowIcon(ProgramIcon());
    PreloadGroupBoxFrame();
    setFont(DialogFont());
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    BuildControls();
    DescribeForScreenReaders();
    SetFocusOrder();
    ConnectEvents();
    CentreOnScreen();
}

void frmMain::Form_Load() {
    // The propeller tables are constants of the engine, complete before any
    // recomputation, so there is nothing to fill here.
    setWindowTitle(QStringLiteral("Brennquist + Luftschraubenberechnung     v") +
                   QStringLiteral(BRENNQUIST_VERSION));
    lblFirma->setCaption(VendorCaption());

    cmbCellSelect->clear();
    for (const std::string_view cellType : kCellTypes) {
        cmbCellSelect->addItem(FromUtf8(cellType));
    }
    // Selecting by program raises no Qt signal; it counts as a choice all the same.
    cmbCellSelect->setCurrentIndex(0);
    cmbCellSelect_Click();

    LoadSettings();
    // Once more, so the results match the final inputs whatever loading did.
    Recalculate();
    lblHinweis->setText(
        QStringLiteral("Hinweis: Die berechneten Werte sind Anhaltspunkte und sollen vor grober "
                       "Fehlanpassung schützen. Die Verwendung erfolgt auf eigene Gefahr unter "
                       "Ausschluss jeglicher Gewährleistung."));
}

void frmMain::Recalculate() {
    // Each run starts from the results shown, which a failing step leaves in place.
    ResultSet results = shown_;
    const bool computed = ComputeResults(CurrentInputs(), results, NumberSeparators());
    // A failed run still shows what it wrote before the failing step.
    ShowResults(results);
    if (!computed) {
        messages_.Show(QStringLiteral("Eingabefehler!"), QStringLiteral("Warnung"),
                       QMessageBox::Critical);
    }
}

void frmMain::ConnectEvents() {
    for (std::size_t index = 0; index < kTextInputs.size(); ++index) {
        QLineEdit* const field = findChild<QLineEdit*>(FromUtf8(kTextInputs[index].control));
        textFields_.at(index) = field;
        // textChanged covers typing and assignments by the program alike.
        connect(field, &QLineEdit::textChanged, this, [this, field] { TextField_Change(*field); });
    }

    // Only a choice from the list counts. Qt would also pick a matching entry
    // when Enter is pressed in the text part or the field is left, rewriting
    // the typed text and reporting it as a choice; typing must run nothing.
    if (const QLineEdit* const edit = cmbCellSelect->lineEdit()) {
        disconnect(edit, &QLineEdit::returnPressed, cmbCellSelect, nullptr);
        disconnect(edit, &QLineEdit::editingFinished, cmbCellSelect, nullptr);
    }
    connect(cmbCellSelect, &QComboBox::activated, this, [this] { cmbCellSelect_Click(); });

    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdMailOrder, &QPushButton::clicked, this, [this] { cmdMailOrder_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
}

void frmMain::CentreOnScreen() {
    const QScreen* const screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    move(screen->availableGeometry().center() - rect().center());
}

void frmMain::cmbCellSelect_Click() {
    Recalculate();
}

void frmMain::TextField_Change(const QLineEdit& field) {
    if (!field.text().isEmpty()) {
        Recalculate();
    }
}

// Closing ends the program; nothing is saved and nothing is asked.
void frmMain::cmdQuit_Click() {
    close();
}

InputSet frmMain::CurrentInputs() const {
    InputSet inputs;
    inputs.cmbCellSelect = cmbCellSelect->currentText().toStdString();
    for (const InputEntry& input : kTextInputs) {
        inputs.*input.text = TextField(input)->text().toStdString();
    }
    return inputs;
}

// Runs for every field on every keystroke: no search through the controls.
QLineEdit* frmMain::TextField(const InputEntry& field) const {
    const auto found = std::ranges::find(kTextInputs, field.control, &InputEntry::control);
    return textFields_.at(static_cast<std::size_t>(found - kTextInputs.begin()));
}

void frmMain::ShowResults(const ResultSet& results) {
    lblMessage->setText(FromUtf8(results.lblMessage));
    lblU->setText(FromUtf8(results.lblU));
    lblI->setText(FromUtf8(results.lblI));
    lblK->setText(FromUtf8(results.lblK));
    lblg->setText(FromUtf8(results.lblg));
    lblz->setText(FromUtf8(results.lblz));
    lblt->setText(FromUtf8(results.lblt));
    lblImot->setText(FromUtf8(results.lblImot));
    lblEta->setText(FromUtf8(results.lblEta));
    FrameMotor->setTitle(FromUtf8(results.FrameMotor));
    lbllbln->setText(FromUtf8(results.lbllbln));
    lbln->setText(FromUtf8(results.lbln));
    lbllblPW->setText(FromUtf8(results.lbllblPW));
    lblPW->setText(FromUtf8(results.lblPW));
    lbln100->setText(FromUtf8(results.lbln100));
    lblLuftS->setText(FromUtf8(results.lblLuftS));
    shown_ = results;
    UpdateAccessibleCaptions();
}

Separators frmMain::NumberSeparators() const {
    const QLocale& locale = environment_.locale;
    if (locale.language() == QLocale::C) {
        return Separators{.decimal = ",", .group = "."};  // no locale chosen: German
    }
    return Separators{.decimal = locale.decimalPoint().toStdString(),
                      .group = locale.groupSeparator().toStdString()};
}

}  // namespace brennquist
