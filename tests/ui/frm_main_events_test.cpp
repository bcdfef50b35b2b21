// Events of the real window: edits, list choices, failing recomputations, quit.
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

class EventTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Start();
    }

    // Replaces a field's whole text by typing, one key at a time.
    void TypeOver(const char* field, const QString& text) {
        auto& edit = Find<QLineEdit>(field);
        edit.selectAll();
        QTest::keyClicks(&edit, text);
    }

    void TypeIntoCellList(const QString& text) {
        auto& list = Find<QComboBox>("cmbCellSelect");
        list.lineEdit()->selectAll();
        QTest::keyClicks(&list, text);
    }

    // Opens the list, moves to the entry with the arrow keys and takes it
    // with Enter, as a user at the keyboard does.
    void ChooseFromList(int entry) {
        auto& list = Find<QComboBox>("cmbCellSelect");
        list.showPopup();
        QAbstractItemView* const view = list.view();
        ASSERT_TRUE(view->isVisible());
        const int steps = entry - view->currentIndex().row();
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(view, Qt::Key_Down);
        }
        for (int i = 0; i > steps; --i) {
            QTest::keyClick(view, Qt::Key_Up);
        }
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_FALSE(view->isVisible());
    }

    // Overwrites a result caption, so a later recomputation shows by
    // rewriting it.
    void Stamp(const char* label) { Find<QLabel>(label).setText(QStringLiteral("stale")); }
};

TEST_F(EventTest, TypingIntoAFieldRecomputesAtOnce) {
    TypeOver("txtReihe", "3");
    EXPECT_EQ(Caption("lblU"), "11,1");
    EXPECT_EQ(Caption("lblz"), "3");
    EXPECT_EQ(Caption("FrameMotor"), "Motordaten (Zellenzahl=9)");
    EXPECT_EQ(Caption("lbllbln"), "Drehzahl[1/min] bei 11,1V");
    EXPECT_EQ(InputErrorBoxes(), 0);
}

TEST_F(EventTest, AssigningAFieldRecomputesAndAssigningEmptyDoesNot) {
    Find<QLineEdit>("txtPar").setText(QStringLiteral("2"));
    EXPECT_EQ(Caption("lblI"), "10");
    Stamp("lblI");
    Find<QLineEdit>("txtPar").setText(QString());
    EXPECT_EQ(Caption("lblI"), "stale");
    EXPECT_EQ(InputErrorBoxes(), 0);
}

class FieldTest : public EventTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FieldTest, EmptiedFieldChangesNothingAndTypingAgainRecomputes) {
    auto& field = Find<QLineEdit>(GetParam());
    const QString design = field.text();
    Stamp("lblLuftS");
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    ASSERT_TRUE(field.text().isEmpty());
    EXPECT_EQ(Caption("lblLuftS"), "stale");
    EXPECT_EQ(InputErrorBoxes(), 0);

    QTest::keyClicks(&field, design);
    EXPECT_EQ(Caption("lblLuftS"), "8x5");
    EXPECT_EQ(InputErrorBoxes(), 0);
}

INSTANTIATE_TEST_SUITE_P(EightFields, FieldTest,
                         ::testing::Values("txtK", "txtI", "txtg", "txtReihe", "txtPar", "txtIL",
                                           "txtEta", "txtnV"));

TEST_F(EventTest, LongTextsAreKeptWhole) {
    const QString digits(40000, QLatin1Char('1'));
    Find<QLineEdit>("txtnV").setText(digits);
    EXPECT_EQ(Find<QLineEdit>("txtnV").text(), digits);
    EXPECT_EQ(InputErrorBoxes(), 1);  // far beyond the range of a speed constant
    const QString cellType(40000, QLatin1Char('x'));
    Find<QComboBox>("cmbCellSelect").setEditText(cellType);
    EXPECT_EQ(Find<QComboBox>("cmbCellSelect").currentText(), cellType);
}

TEST_F(EventTest, TypedCellTypeTakesEffectAtTheNextRecomputation) {
    TypeIntoCellList("NiCd");
    QTest::keyClick(&Find<QComboBox>("cmbCellSelect"), Qt::Key_Return);
    EXPECT_EQ(Caption("lblU"), "3,7");
    TypeOver("txtReihe", "2");
    EXPECT_EQ(Caption("lblU"), "2,4");
}

TEST_F(EventTest, TypedTextIsNeitherCompletedNorCorrectedNorAddedToTheList) {
    auto& list = Find<QComboBox>("cmbCellSelect");
    TypeIntoCellList("Ni");
    EXPECT_EQ(list.currentText(), "Ni");
    TypeIntoCellList("nicd");
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(list.currentText(), "nicd");
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(Caption("lblU"), "3,7");
}

TEST_F(EventTest, ChoosingAnEntryRecomputesAtOnce) {
    ChooseFromList(2);
    EXPECT_EQ(Find<QComboBox>("cmbCellSelect").currentText(), "NiMH");
    EXPECT_EQ(Caption("lblU"), "1,2");
    EXPECT_EQ(InputErrorBoxes(), 0);
}

TEST_F(EventTest, ChoosingTheSelectedEntryAgainRecomputes) {
    TypeIntoCellList("NiCd");
    TypeOver("txtReihe", "2");
    ASSERT_EQ(Caption("lblU"), "2,4");
    ChooseFromList(0);
    EXPECT_EQ(Find<QComboBox>("cmbCellSelect").currentText(), "Lithium Polymer/Ionen");
    EXPECT_EQ(Caption("lblU"), "7,4");
}

TEST_F(EventTest, ChoosingWithTheMouseRecomputes) {
    auto& list = Find<QComboBox>("cmbCellSelect");
    list.showPopup();
    QAbstractItemView* const view = list.view();
    // A release right after opening belongs to the click that opened the list.
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(1, 0)).center());
    EXPECT_EQ(list.currentText(), "NiCd");
    EXPECT_EQ(Caption("lblU"), "1,2");
}

TEST_F(EventTest, EveryFailingRecomputationShowsOneErrorBox) {
    TypeOver("txtK", "ab");  // "a", then "ab": two runs, two boxes
    ASSERT_EQ(InputErrorBoxes(), 2);
    const ShownBox& box = boxes_.shown.back();
    EXPECT_EQ(box.title, "Warnung");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
}

TEST_F(EventTest, FailingRunKeepsTheLabelsItDidNotReach) {
    TypeOver("txtK", "x");  // the capacity step fails from now on
    ASSERT_EQ(InputErrorBoxes(), 1);
    TypeOver("txtReihe", "2");
    EXPECT_EQ(InputErrorBoxes(), 2);
    // Voltage and current come before the capacity and are new ...
    EXPECT_EQ(Caption("lblU"), "7,4");
    EXPECT_EQ(Caption("lblI"), "5");
    // ... everything after it still shows the last complete run.
    EXPECT_EQ(Caption("lblK"), "350");
    EXPECT_EQ(Caption("lblz"), "1");
    EXPECT_EQ(Caption("FrameMotor"), "Motordaten (Zellenzahl=3)");
    EXPECT_EQ(Caption("lbllbln"), "Drehzahl[1/min] bei 3,7V");
    EXPECT_EQ(Caption("lbln"), "3700");
    EXPECT_EQ(Caption("lblLuftS"), "8x5");
}

TEST_F(EventTest, LoneMinusClearsOnlyTheWarning) {
    TypeOver("txtIL", "6");  // 5 A from the pack is below 6 A
    ASSERT_EQ(Caption("lblMessage"), "Akkupack zu schwach ausgelegt!");
    const QString speed = Caption("lbln");
    TypeOver("txtReihe", "-");
    EXPECT_EQ(InputErrorBoxes(), 1);
    EXPECT_EQ(Caption("lblMessage"), "");
    EXPECT_EQ(Caption("lblU"), "3,7");
    EXPECT_EQ(Caption("lbln"), speed);
}

TEST_F(EventTest, QuitClosesTheWindowWithoutSaving) {
    window_->show();
    TypeOver("txtReihe", "4");
    QTest::mouseClick(&Find<QPushButton>("cmdQuit"), Qt::LeftButton);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(QDir(folder_.path()).isEmpty());
}

}  // namespace
}  // namespace brennquist
