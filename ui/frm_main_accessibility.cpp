// What a screen reader announces for the window's controls. Qt publishes it
// over AT-SPI; only the standard accessible name, description and buddy
// labels are used, so it holds for any label or field class.
//
// Input fields are named by their captions, result labels announce their
// value (the label text, Qt's default name) with their caption as the
// description. Buttons and group boxes keep Qt's defaults: their texts and
// titles. Some captions change with every recomputation, so the names are
// renewed after each one.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <array>

#include "engine/vendor.h"
#include "ui/frm_main.h"
#include "ui/utf8_text.h"

namespace brennquist {
namespace {

// A control and the caption label in its row.
struct CaptionedControl {
    const char* control;
    const char* caption;
};

constexpr std::array kInputCaptions{
    CaptionedControl{"txtK", "Label1"},   CaptionedControl{"txtI", "Label2"},
    CaptionedControl{"txtg", "Label3"},   CaptionedControl{"txtReihe", "Label4"},
    CaptionedControl{"txtPar", "Label5"}, CaptionedControl{"txtIL", "lblImot"},
    CaptionedControl{"txtEta", "lblEta"}, CaptionedControl{"txtnV", "Label6"},
};

constexpr std::array kResultCaptions{
    CaptionedControl{"lblU", "Label7"},     CaptionedControl{"lblI", "Label8"},
    CaptionedControl{"lblK", "Label9"},     CaptionedControl{"lblg", "Label10"},
    CaptionedControl{"lblz", "Label12"},    CaptionedControl{"lblt", "Label11"},
    CaptionedControl{"lbln", "lbllbln"},    CaptionedControl{"lblPW", "lbllblPW"},
    CaptionedControl{"lbln100", "Label14"}, CaptionedControl{"lblLuftS", "Label15"},
};

// A caption as it is read out: without the trailing colon and the runs of
// blanks that only serve the layout ("Drehzahl  [1/Vmin] :" is read
// "Drehzahl [1/Vmin]").
QString SpokenCaption(const QString& caption) {
    QString spoken = caption.trimmed();
    if (spoken.endsWith(QLatin1Char(':'))) {
        spoken.chop(1);
    }
    return spoken.simplified();
}

template <typename Visit>
void ForEachPair(const QWidget& window, const auto& pairs, Visit visit) {
    for (const CaptionedControl& pair : pairs) {
        auto* const control = window.findChild<QWidget*>(QString::fromLatin1(pair.control));
        auto* const caption = window.findChild<QLabel*>(QString::fromLatin1(pair.caption));
        if (control != nullptr && caption != nullptr) {
            visit(*control, *caption);
        }
    }
}

// Gives the control in a caption's row that caption as it is read out: a
// result announces its value, so the caption is its description; a field is
// named by it. Unchanged texts are left alone, so a recomputation raises no
// accessibility events for captions that stay as they were.
void AnnounceCaption(const QLabel& caption) {
    QWidget* const control = caption.buddy();
    if (control == nullptr) {
        return;
    }
    const QString spoken = SpokenCaption(caption.text());
    if (qobject_cast<QLabel*>(control) != nullptr) {
        if (control->accessibleDescription() != spoken) {
            control->setAccessibleDescription(spoken);
        }
    } else if (control->accessibleName() != spoken) {
        control->setAccessibleName(spoken);
    }
}

}  // namespace

void frmMain::DescribeForScreenReaders() {
    // Buddies give each field and result its "labelled by" relation.
    const auto pairUp = [](QWidget& control, QLabel& caption) {
        caption.setBuddy(&control);
        AnnounceCaption(caption);
    };
    ForEachPair(*this, kInputCaptions, pairUp);
    ForEachPair(*this, kResultCaptions, pairUp);

    const QString cellType = QStringLiteral("Zellentyp");
    cmbCellSelect->setAccessibleName(cellType);
    if (QLineEdit* const edit = cmbCellSelect->lineEdit()) {
        edit->setAccessibleName(cellType);  // the part that takes the focus
    }
    Image1->setAccessibleName(QStringLiteral("Logo der ") + FromUtf8(kVendorAddressLines[0]));
}

void frmMain::UpdateAccessibleCaptions() {
    // The captions that a recomputation rewrites; the others never change.
    for (const QLabel* const caption : {lblImot, lblEta, lbllbln, lbllblPW}) {
        AnnounceCaption(*caption);
    }
}

}  // namespace brennquist
