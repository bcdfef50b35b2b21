// Keyboard focus of the real window: where it starts and where Tab takes it.
#include <QApplication>
#include <QTest>
#include <QWidget>

#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

class FocusTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartActive();
    }

    static QString FocusName() {
        const QWidget* const focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QStringLiteral("(none)");
    }
};

TEST_F(FocusTest, TabVisitsTheInputsAndButtonsInFormOrderAndWrapsAround) {
    const QStringList order = {
        "cmbCellSelect", "txtK",    "txtI",   "txtg",  "txtReihe", "txtPar",       "txtIL",
        "cmdPrint",      "cmdQuit", "txtEta", "txtnV", "cmdSave",  "cmdMailOrder", "cmbCellSelect"};
    EXPECT_EQ(FocusName(), order.front());
    QStringList visited = {FocusName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << FocusName();
    }
    EXPECT_EQ(visited, order);
}

TEST_F(FocusTest, ShiftTabWalksTheSameOrderBackwards) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(FocusName(), "cmdMailOrder");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(FocusName(), "cmdSave");
}

}  // namespace
}  // namespace brennquist
