// The controls of the window, exactly as the form was drawn: positions and
// sizes in twips relative to the parent, fixed for the window's life.
#include <array>
#include <limits>

#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "ui/button_caption_fit.h"
#include "ui/controls/cr_lines_label.h"
#include "ui/controls/eliding_label.h"
#include "ui/controls/enter_presses_button.h"
#include "ui/controls/input_field.h"
#include "ui/frm_main.h"
#include "ui/twips.h"
#include "ui/window_art.h"
#include "ui/window_fonts.h"

namespace brennquist {
namespace {

const QColor kWarningRed(255, 0, 0);
const QColor kTitleRed(192, 0, 0);
// Qt would cut a text field at 32767 characters, also a text the program assigns.
constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

// Every control carries its design name, for tests and outside checks; what a
// screen reader announces is set in ui/frm_main_accessibility.cpp.
template <typename Control>
Control* Named(Control* control, const QString& name, const QRect& geometry) {
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

void SetTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& title,
                     const QRect& geometry) {
    auto* group = Named(new QGroupBox(title, parent), name, geometry);
    group->setFont(ControlFont(FontKey::A));
    return group;
}

template <typename Label = QLabel>
Label* MakeCaption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                   FontKey font = FontKey::A) {
    auto* label = Named(new Label(text, parent), name, geometry);
    label->setTextFormat(Qt::PlainText);
    label->setFont(ControlFont(font));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// Result labels: bordered, right-aligned, all of one size.
QLabel* MakeResult(QWidget* parent, const QString& name, int left, int top,
                   const QString& toolTip = {}) {
    auto* label = MakeCaption<ElidingLabel>(parent, name, QStringLiteral("0"),
                                            TwipRect(left, top, 1215, 375));
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setIndent(3);
    label->setToolTip(toolTip);
    return label;
}

QLineEdit* MakeField(QWidget* parent, const QString& name, const QString& text,
                     const QString& toolTip, const QRect& geometry) {
    auto* field = Named(new InputField(text, parent), name, geometry);
    field->setFont(ControlFont(FontKey::A));
    field->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    field->setMaxLength(kNoLengthLimit);
    field->setToolTip(toolTip);
    return field;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text,
                        const QRect& geometry, FontKey font) {
    auto* button = Named(new QPushButton(text, parent), name, geometry);
    button->setFont(ControlFont(font));
    FitCaptionIntoButton(*button);
    LetEnterPress(*button);
    return button;
}

}  // namespace

void frmMain::BuildControls() {
    Label13 = MakeCaption(this, QStringLiteral("Label13"),
                          QStringLiteral("BRENNQUIST + Luftschraubenberechnung"),
                          TwipRect(600, 120, 10695, 495), FontKey::D);
    Label13->setAlignment(Qt::AlignCenter);
    SetTextColour(*Label13, kTitleRed);

    cmbCellSelect =
        Named(new QComboBox(this), QStringLiteral("cmbCellSelect"), TwipRect(600, 720, 4455, 480));
    cmbCellSelect->setFont(ControlFont(FontKey::C));
    cmbCellSelect->setEditable(true);
    cmbCellSelect->setLineEdit(new InputField(cmbCellSelect));
    cmbCellSelect->setInsertPolicy(QComboBox::NoInsert);  // typed text never joins the list
    cmbCellSelect->setCompleter(nullptr);                 // nor is it completed for the user
    cmbCellSelect->lineEdit()->setMaxLength(kNoLengthLimit);
    cmbCellSelect->setEditText(QStringLiteral("Combo1"));
    cmbCellSelect->setToolTip(QStringLiteral("Auswahl des Zellentyps"));

    lblHinweis = Named(new QLabel(QStringLiteral("Hinweis:"), this), QStringLiteral("lblHinweis"),
                       TwipRect(5280, 720, 7215, 495));
    lblHinweis->setTextFormat(Qt::PlainText);
    lblHinweis->setWordWrap(true);
    lblHinweis->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    txtKtxtK = MakeGroup(this, QStringLiteral("txtKtxtK"), QStringLiteral("Zellendaten"),
                         TwipRect(120, 1320, 3975, 2055));
    MakeCaption(txtKtxtK, QStringLiteral("Label1"), QStringLiteral("Kapazität [mAh] :"),
                TwipRect(240, 600, 2175, 375));
    MakeCaption(txtKtxtK, QStringLiteral("Label2"), QStringLiteral("Dauerstrom [A] :"),
                TwipRect(240, 960, 2175, 375));
    MakeCaption(txtKtxtK, QStringLiteral("Label3"), QStringLiteral("Gewicht [g] :"),
                TwipRect(240, 1320, 2175, 375));
    txtK = MakeField(txtKtxtK, QStringLiteral("txtK"), QStringLiteral("350"),
                     QStringLiteral("Herstellerangabe: Kapazität einer Zelle"),
                     TwipRect(2400, 600, 1215, 375));
    txtI = MakeField(txtKtxtK, QStringLiteral("txtI"), QStringLiteral("5"),
                     QStringLiteral("Herstellerangabe: der maximal zulässige Dauerentladestrom"),
                     TwipRect(2400, 960, 1215, 375));
    txtg = MakeField(txtKtxtK, QStringLiteral("txtg"), QStringLiteral("9,8"),
                     QStringLiteral("Herstellerangabe: Gewicht einer Zelle"),
                     TwipRect(2400, 1320, 1215, 375));

    Frame1 = MakeGroup(this, QStringLiteral("Frame1"), QStringLiteral("Schaltung"),
                       TwipRect(4080, 1320, 3975, 2055));
    MakeCaption(Frame1, QStringLiteral("Label4"), QStringLiteral("Zellenanzahl Reihe :"),
                TwipRect(240, 480, 2655, 375));
    MakeCaption(Frame1, QStringLiteral("Label5"), QStringLiteral("Zellenanzahl Parallel :"),
                TwipRect(240, 840, 2655, 375));
    txtReihe = MakeField(Frame1, QStringLiteral("txtReihe"), QStringLiteral("1"),
                         QStringLiteral("Anzahl der Zellen bestimmt die Spannung"),
                         TwipRect(3000, 480, 615, 375));
    txtPar = MakeField(Frame1, QStringLiteral("txtPar"), QStringLiteral("1"),
                       QStringLiteral("Anzahl der Zellen bestimmt den Strom"),
                       TwipRect(3000, 840, 615, 375));

    FrameMotor = MakeGroup(this, QStringLiteral("FrameMotor"), QStringLiteral("Motordaten"),
                           TwipRect(8040, 1320, 4455, 2055));
    FrameMotor->setToolTip(
        QStringLiteral("Motordaten mit Angabe der Zellenzahl für NiCd-Zellen (erleichtert die "
                       "Motorauswahl in den Herstellerlisten)"));
    lblImot = MakeCaption(FrameMotor, QStringLiteral("lblImot"), QStringLiteral("Nennstrom [A] :"),
                          TwipRect(240, 600, 3135, 375));
    lblEta = MakeCaption(FrameMotor, QStringLiteral("lblEta"), QStringLiteral("Wirkungsgrad [%]"),
                         TwipRect(240, 960, 3375, 375));
    MakeCaption(FrameMotor, QStringLiteral("Label6"), QStringLiteral("Drehzahl  [1/Vmin] :"),
                TwipRect(240, 1440, 3015, 375));
    txtIL = MakeField(
        FrameMotor, QStringLiteral("txtIL"), QStringLiteral("5"),
        QStringLiteral("Herstellerangabe: Strom bei angegebener Spannung und Nennbelastung"),
        TwipRect(3600, 600, 615, 375));
    txtEta = MakeField(FrameMotor, QStringLiteral("txtEta"), QStringLiteral("80"),
                       QStringLiteral("Herstellerangabe: Wirkungsgrad des Motors"),
                       TwipRect(3600, 960, 615, 375));
    txtnV = MakeField(FrameMotor, QStringLiteral("txtnV"), QStringLiteral("1000"),
                      QStringLiteral("Herstellerangabe: Drehzahl bei 1V"),
                      TwipRect(3120, 1440, 1095, 375));

    Frame2 = MakeGroup(this, QStringLiteral("Frame2"),
                       QStringLiteral("Auswertung und Daten des Akkupacks"),
                       TwipRect(120, 3360, 5895, 3255));
    MakeCaption(Frame2, QStringLiteral("Label7"), QStringLiteral("Spannung [V] :"),
                TwipRect(240, 480, 2055, 375));
    MakeCaption(Frame2, QStringLiteral("Label8"), QStringLiteral("Dauerstrom [A] :"),
                TwipRect(240, 840, 2055, 375));
    MakeCaption(Frame2, QStringLiteral("Label9"), QStringLiteral("Kapazität [mAh] :"),
                TwipRect(240, 1200, 2175, 375));
    MakeCaption(Frame2, QStringLiteral("Label10"), QStringLiteral("Gewicht [g] :"),
                TwipRect(240, 1560, 2175, 375));
    MakeCaption(Frame2, QStringLiteral("Label12"), QStringLiteral("Anzahl Zellen: "),
                TwipRect(240, 1920, 1935, 375));
    MakeCaption(Frame2, QStringLiteral("Label11"), QStringLiteral("Laufzeit bei Nennstrom [min] :"),
                TwipRect(240, 2280, 3735, 375));
    lblU = MakeResult(Frame2, QStringLiteral("lblU"), 2400, 480);
    lblI = MakeResult(Frame2, QStringLiteral("lblI"), 2400, 840);
    lblK = MakeResult(Frame2, QStringLiteral("lblK"), 2400, 1200);
    lblg = MakeResult(Frame2, QStringLiteral("lblg"), 2400, 1560);
    lblz = MakeResult(Frame2, QStringLiteral("lblz"), 2400, 1920,
                      QStringLiteral("Anzahl der benötigten Einzelzellen"));
    lblt = MakeResult(Frame2, QStringLiteral("lblt"), 3840, 2280,
                      QStringLiteral("Motorlaufzeit bei Dauernennlastbetrieb"));
    lblMessage = MakeCaption(Frame2, QStringLiteral("lblMessage"), QStringLiteral(" "),
                             TwipRect(240, 2760, 4815, 375), FontKey::B);
    SetTextColour(*lblMessage, kWarningRed);

    Frame3 = MakeGroup(this, QStringLiteral("Frame3"),
                       QStringLiteral("Auswertung Motor und Luftschraube"),
                       TwipRect(6000, 3360, 6495, 3255));
    lbllbln =
        MakeCaption(Frame3, QStringLiteral("lbllbln"), QStringLiteral("Drehzahl[1/min] bei [V] :"),
                    TwipRect(120, 480, 3855, 375));
    lbllblPW =
        MakeCaption(Frame3, QStringLiteral("lbllblPW"),
                    QStringLiteral("Wellenleistung[W] bei [V] :"), TwipRect(120, 840, 3855, 375));
    MakeCaption(Frame3, QStringLiteral("Label14"), QStringLiteral("Drehzahl bei 100W (n100-Wert)"),
                TwipRect(120, 1800, 3855, 375));
    MakeCaption(Frame3, QStringLiteral("Label15"), QStringLiteral("empfohlene Luftschraube :"),
                TwipRect(120, 2280, 3855, 375));
    lbln = MakeResult(Frame3, QStringLiteral("lbln"), 4080, 480,
                      QStringLiteral("Drehzahl bei gewählter Akkukonfiguration"));
    lblPW = MakeResult(Frame3, QStringLiteral("lblPW"), 4080, 840,
                       QStringLiteral("abgegebene mechanische Leistung an der Motorwelle"));
    lbln100 =
        MakeResult(Frame3, QStringLiteral("lbln100"), 4080, 1800,
                   QStringLiteral("Dieser Wert wird bei der Auswahl der Luftschraube benötigt"));
    lblLuftS = MakeResult(Frame3, QStringLiteral("lblLuftS"), 4080, 2280);

    Image1 = Named(new QLabel(this), QStringLiteral("Image1"), TwipRect(600, 6600, 1500, 1500));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // natural size, never stretched
    ShowVendorLogo(*Image1);

    lblFirma =
        Named(new CrLinesLabel(this), QStringLiteral("lblFirma"), TwipRect(2280, 6600, 6375, 1455));
    lblFirma->setFont(ControlFont(FontKey::E));
    lblFirma->setWordWrap(true);
    lblFirma->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdSave = MakeButton(this, QStringLiteral("cmdSave"), QStringLiteral("Speichern"),
                         TwipRect(9720, 6720, 1335, 735), FontKey::B);
    cmdPrint = MakeButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Drucken"),
                          TwipRect(11160, 6720, 1335, 735), FontKey::A);
    cmdMailOrder = MakeButton(this, QStringLiteral("cmdMailOrder"), QStringLiteral("eMail Anfrage"),
                              TwipRect(9720, 7560, 1335, 735), FontKey::B);
    cmdQuit = MakeButton(this, QStringLiteral("cmdQuit"), QStringLiteral("Beenden"),
                         TwipRect(11160, 7560, 1335, 735), FontKey::A);
}

void frmMain::SetFocusOrder() {
    // txtEta and txtnV come after two of the buttons, as the form was drawn.
    const std::array<QWidget*, 13> order = {cmbCellSelect, txtK,    txtI,        txtg,    txtReihe,
                                            txtPar,        txtIL,   cmdPrint,    cmdQuit, txtEta,
                                            txtnV,         cmdSave, cmdMailOrder};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    cmbCellSelect->setFocus(Qt::OtherFocusReason);
}

}  // namespace brennquist
