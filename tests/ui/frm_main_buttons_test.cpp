// The four buttons of the real window at the keyboard: Enter and Return press
// the focused button as Space does, and nothing else changes what Enter does.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <array>

#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

class ButtonKeyTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartActive();
    }

    [[nodiscard]] bool Saved() const {
        return QFile::exists(QDir(folder_.path()).filePath(QStringLiteral("akku.dat")));
    }
};

struct KeyCase {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
};

const std::array<KeyCase, 3> kPressingKeys = {KeyCase{Qt::Key_Return, Qt::NoModifier},
                                              KeyCase{Qt::Key_Enter, Qt::KeypadModifier},
                                              KeyCase{Qt::Key_Space, Qt::NoModifier}};

class EachButtonTest : public ButtonKeyTest, public ::testing::WithParamInterface<const char*> {};

// The handlers are disconnected: printing and mailing are not the point here.
TEST_P(EachButtonTest, ReturnEnterAndSpaceEachPressTheFocusedButtonOnce) {
    auto& button = Find<QPushButton>(GetParam());
    QObject::disconnect(&button, &QPushButton::clicked, window_.get(), nullptr);
    button.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(button.hasFocus());
    const QSignalSpy clicks(&button, &QPushButton::clicked);
    for (const KeyCase& key : kPressingKeys) {
        QTest::keyClick(QApplication::focusWidget(), key.key, key.modifiers);
    }
    EXPECT_EQ(clicks.count(), static_cast<int>(kPressingKeys.size()));
}

INSTANTIATE_TEST_SUITE_P(FourButtons, EachButtonTest,
                         ::testing::Values("cmdSave", "cmdPrint", "cmdMailOrder", "cmdQuit"));

TEST_F(ButtonKeyTest, TabToSpeichernAndEnterSaves) {
    Find<QLineEdit>("txtnV").setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), "cmdSave");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(Saved());
}

TEST_F(ButtonKeyTest, EnterOnBeendenClosesTheWindow) {
    Find<QPushButton>("cmdQuit").setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(ButtonKeyTest, EnterInAFieldPressesNoButton) {
    Find<QLineEdit>("txtnV").setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(Saved());
    EXPECT_TRUE(window_->isVisible());
}

TEST_F(ButtonKeyTest, HeldEnterPressesOnce) {
    auto& button = Find<QPushButton>("cmdPrint");
    QObject::disconnect(&button, &QPushButton::clicked, window_.get(), nullptr);
    button.setFocus(Qt::TabFocusReason);
    const QSignalSpy clicks(&button, &QPushButton::clicked);
    QTest::keyPress(&button, Qt::Key_Return);
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&button, &repeated);
    QTest::keyRelease(&button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
}

}  // namespace
}  // namespace brennquist
