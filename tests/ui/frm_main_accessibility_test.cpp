// What a screen reader learns about the real window through Qt's
// accessibility interfaces, the same ones Qt publishes over AT-SPI.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

struct Spoken {
    const char* control;
    QAccessible::Role role;
    QString name;
    QString description;
};

class AccessibilityTest : public WindowTest {
  protected:
    [[nodiscard]] QAccessibleInterface& Accessible(const char* name) const {
        QAccessibleInterface* const accessible =
            QAccessible::queryAccessibleInterface(&Find<QWidget>(name));
        if (accessible == nullptr) {
            throw std::runtime_error(std::string("not accessible: ") + name);
        }
        return *accessible;
    }

    void ExpectSpoken(const Spoken& expected) const {
        const QAccessibleInterface& accessible = Accessible(expected.control);
        SCOPED_TRACE(expected.control);
        EXPECT_EQ(accessible.role(), expected.role);
        EXPECT_EQ(accessible.text(QAccessible::Name), expected.name);
        EXPECT_EQ(accessible.text(QAccessible::Description), expected.description);
    }
};

TEST_F(AccessibilityTest, FieldsAreNamedByTheirCaptionsAndKeepTheirTooltips) {
    Start();
    const std::pair<const char*, QString> fields[] = {
        {"txtK", QStringLiteral("Kapazität [mAh]")},
        {"txtI", QStringLiteral("Dauerstrom [A]")},
        {"txtg", QStringLiteral("Gewicht [g]")},
        {"txtReihe", QStringLiteral("Zellenanzahl Reihe")},
        {"txtPar", QStringLiteral("Zellenanzahl Parallel")},
        {"txtIL", QStringLiteral("Nennstrom [A] bei 3,7V")},
        {"txtEta", QStringLiteral("Wirkungsgrad [%] bei 3,7V")},
        {"txtnV", QStringLiteral("Drehzahl [1/Vmin]")},
    };
    for (const auto& [name, caption] : fields) {
        const auto& field = Find<QLineEdit>(name);
        ExpectSpoken({name, QAccessible::EditableText, caption, field.toolTip()});
        EXPECT_EQ(Accessible(name).text(QAccessible::Value), field.text()) << name;
    }
    // On Linux Qt names a list by its current text; its text part, which takes
    // the focus, tells the purpose.
    const QAccessibleInterface& list = Accessible("cmbCellSelect");
    EXPECT_EQ(list.text(QAccessible::Value), QStringLiteral("Lithium Polymer/Ionen"));
    EXPECT_EQ(list.text(QAccessible::Description), QStringLiteral("Auswahl des Zellentyps"));
    const QAccessibleInterface* const edit =
        QAccessible::queryAccessibleInterface(Find<QComboBox>("cmbCellSelect").lineEdit());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->role(), QAccessible::EditableText);
    EXPECT_EQ(edit->text(QAccessible::Name), QStringLiteral("Zellentyp"));
}

TEST_F(AccessibilityTest, ResultsAnnounceTheirValueWithTheirCaptionAfterEachRecomputation) {
    Start();
    EXPECT_EQ(Accessible("lblU").text(QAccessible::Name), QStringLiteral("3,7"));
    Find<QLineEdit>("txtReihe").setText(QStringLiteral("3"));
    const std::pair<const char*, const char*> results[] = {
        {"lblU", "Spannung [V]"},
        {"lblI", "Dauerstrom [A]"},
        {"lblK", "Kapazität [mAh]"},
        {"lblg", "Gewicht [g]"},
        {"lblz", "Anzahl Zellen"},
        {"lblt", "Laufzeit bei Nennstrom [min]"},
        {"lbln", "Drehzahl[1/min] bei 11,1V"},
        {"lblPW", "Wellenleistung[W] bei 11,1V"},
        {"lbln100", "Drehzahl bei 100W (n100-Wert)"},
        {"lblLuftS", "empfohlene Luftschraube"},
    };
    for (const auto& [name, caption] : results) {
        ExpectSpoken({name, QAccessible::StaticText, Caption(name), QString::fromUtf8(caption)});
    }
    EXPECT_EQ(Accessible("lblU").text(QAccessible::Name), QStringLiteral("11,1"));
    EXPECT_EQ(Accessible("txtIL").text(QAccessible::Name),
              QStringLiteral("Nennstrom [A] bei 11,1V"));
    EXPECT_EQ(Accessible("FrameMotor").text(QAccessible::Name), Caption("FrameMotor"));
}

TEST_F(AccessibilityTest, ButtonsGroupsAndLogoBySight) {
    Start();
    const Spoken controls[] = {
        {"cmdSave", QAccessible::Button, QStringLiteral("Speichern"), {}},
        {"cmdPrint", QAccessible::Button, QStringLiteral("Drucken"), {}},
        {"cmdMailOrder", QAccessible::Button, QStringLiteral("eMail Anfrage"), {}},
        {"cmdQuit", QAccessible::Button, QStringLiteral("Beenden"), {}},
        {"txtKtxtK", QAccessible::Grouping, QStringLiteral("Zellendaten"), {}},
        {"Frame1", QAccessible::Grouping, QStringLiteral("Schaltung"), {}},
        {"FrameMotor", QAccessible::Grouping, Caption("FrameMotor"),
         Find<QWidget>("FrameMotor").toolTip()},
        {"Frame2", QAccessible::Grouping, QStringLiteral("Auswertung und Daten des Akkupacks"), {}},
        {"Frame3", QAccessible::Grouping, QStringLiteral("Auswertung Motor und Luftschraube"), {}},
        {"Image1", QAccessible::Graphic, QStringLiteral("Logo der Modellbau Kessler GmbH"), {}},
    };
    for (const Spoken& control : controls) {
        ExpectSpoken(control);
    }
}

TEST_F(AccessibilityTest, FieldsAndResultsAreLabelledByTheirCaptions) {
    Start();
    for (const auto& [control, caption] : {std::pair{"txtK", "Label1"}, std::pair{"lblU", "Label7"},
                                           std::pair{"txtIL", "lblImot"}}) {
        const auto labels = Accessible(control).relations(QAccessible::Label);
        const QObject* const expected = &Find<QWidget>(caption);
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const auto& label) {
            return label.first->object() == expected;
        })) << control;
    }
}

TEST_F(AccessibilityTest, NoControlIsAnnouncedByItsInternalName) {
    Start();
    const QAccessibleInterface* const window = QAccessible::queryAccessibleInterface(window_.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->text(QAccessible::Name), window_->windowTitle());
    for (QWidget* const control : window_->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) {
            continue;  // Qt's own parts of a control
        }
        const QAccessibleInterface* const accessible =
            QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr) << name.toStdString();
        EXPECT_NE(accessible->text(QAccessible::Name), name) << name.toStdString();
    }
}

}  // namespace
}  // namespace brennquist
