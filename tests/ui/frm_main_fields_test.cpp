// Input fields of the real window as a modeller uses them: values pasted or
// dropped with a line break, double-clicked, left with a long value.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

class FieldsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartActive();
    }

    // The text part of the list is a field of its own.
    QLineEdit& Field(const char* name) {
        if (QString::fromLatin1(name) == QStringLiteral("cmbCellSelect")) {
            return *Find<QComboBox>(name).lineEdit();
        }
        return Find<QLineEdit>(name);
    }

    // The focus goes where the user clicks: to the list for its text part.
    QWidget& FocusTarget(const char* name) {
        QLineEdit& field = Field(name);
        return field.focusProxy() != nullptr ? *field.focusProxy() : field;
    }

    void Paste(const char* name, const QString& clip) {
        QApplication::clipboard()->setText(clip);
        FocusTarget(name).setFocus();
        Field(name).selectAll();
        QTest::keyClick(&FocusTarget(name), Qt::Key_V, Qt::ControlModifier);
    }

    // A drop at the field's end, as from a spreadsheet or a web page.
    void Drop(const char* name, const QString& text) {
        QLineEdit& field = Field(name);
        QMimeData data;
        data.setText(text);
        const QPoint end(field.width() - 2, field.height() / 2);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&field, &enter);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&field, &drop);
    }

    [[nodiscard]] QByteArray SavedFile() {
        Find<QPushButton>("cmdSave").click();
        QFile file(folder_.filePath(QStringLiteral("akku.dat")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A point inside character `index` of an unscrolled field.
    static QPoint OnCharacter(QLineEdit& field, int index) {
        const int middle = field.height() / 2;
        for (int x = 0; x < field.width(); ++x) {
            if (field.cursorPositionAt(QPoint(x, middle)) == index &&
                field.cursorPositionAt(QPoint(x + 1, middle)) == index + 1) {
                return {x, middle};
            }
        }
        ADD_FAILURE() << "character " << index << " not on screen";
        return {};
    }
};

struct LineEndCase {
    const char* field;
    const char* clip;
};

void PrintTo(const LineEndCase& paste, std::ostream* out) {
    *out << paste.field << " <- "
         << QString::fromUtf8(paste.clip).toUtf8().toPercentEncoding().constData();
}

class LineEndTest : public FieldsTest, public ::testing::WithParamInterface<LineEndCase> {};

TEST_P(LineEndTest, PastedOrDroppedLineBreakNeverReachesTheFieldNorTheFile) {
    const QString clip = QString::fromUtf8(GetParam().clip);
    Paste(GetParam().field, clip);
    EXPECT_EQ(Field(GetParam().field).text(), "58,5");
    EXPECT_EQ(SavedFile().count("\r\n"), 9);
    EXPECT_FALSE(SavedFile().contains("58,5\r\n\r\n"));

    Field(GetParam().field).setText(QStringLiteral("1"));
    Drop(GetParam().field, clip);
    EXPECT_EQ(Field(GetParam().field).text(), "158,5");
    const QByteArray saved = SavedFile();
    EXPECT_EQ(saved.count('\n'), 9);
    EXPECT_EQ(saved.count('\r'), 9);
}

INSTANTIATE_TEST_SUITE_P(Clips, LineEndTest,
                         ::testing::Values(LineEndCase{"txtg", "58,5\n"},
                                           LineEndCase{"txtg", "58,5\r\n"},
                                           LineEndCase{"txtnV", "58,5\r\n12\r\n3\r\n"},
                                           LineEndCase{"txtK", "58,5\u2029x"},
                                           LineEndCase{"cmbCellSelect", "58,5\n"},
                                           LineEndCase{"cmbCellSelect", "58,5\r\nNiCd\r\n"}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST_F(FieldsTest, PasteInsideAValueKeepsWhatStandsAroundIt) {
    QApplication::clipboard()->setText(QStringLiteral("0\n9"));
    QLineEdit& field = Field("txtK");
    field.setFocus();
    field.setCursorPosition(1);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), "3050");
    EXPECT_EQ(field.cursorPosition(), 2);
}

// Only what a person brings in is cut; the program's own assignment stays
// as it is, and the computation reports what it cannot read.
TEST_F(FieldsTest, AssignedLineBreakStaysAndIsReportedByTheComputation) {
    Field("txtIL").setText(QStringLiteral("6\r\n7"));
    EXPECT_EQ(Field("txtIL").text(), "6\r\n7");
    EXPECT_EQ(InputErrorBoxes(), 1);
    Field("cmbCellSelect").setText(QStringLiteral("NiCd\nNiMH"));
    EXPECT_EQ(Field("cmbCellSelect").text(), "NiCd\nNiMH");
}

struct UndoCase {
    const char* name;
    const char* clip;
};

void PrintTo(const UndoCase& paste, std::ostream* out) {
    *out << paste.name;
}

class PasteUndoTest : public FieldsTest, public ::testing::WithParamInterface<UndoCase> {};

// A paste is one step of the field's undo history, cut or not, and the
// typing before it is a step of its own.
TEST_P(PasteUndoTest, CtrlZTakesBackThePasteAlone) {
    QLineEdit& field = Field("txtK");
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, QStringLiteral("12"));
    QApplication::clipboard()->setText(QString::fromUtf8(GetParam().clip));
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), "1234");
    QTest::keyClick(&field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field.text(), "12");
    QTest::keyClick(&field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field.text(), "350");
}

INSTANTIATE_TEST_SUITE_P(Clips, PasteUndoTest,
                         ::testing::Values(UndoCase{"OneLine", "34"},
                                           UndoCase{"LineFeed", "34\n56"},
                                           UndoCase{"CrLf", "34\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The Paste entry of the field's own menu cuts too.
TEST_F(FieldsTest, ContextMenuPasteKeepsTheFirstLine) {
    QApplication::clipboard()->setText(QStringLiteral("77\n88"));
    QLineEdit& field = Field("txtK");
    field.setFocus();
    field.selectAll();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                            field.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&field, &event);
    QMenu* menu = nullptr;
    for (QWidget* const widget : QApplication::topLevelWidgets()) {
        menu = menu != nullptr ? menu : qobject_cast<QMenu*>(widget);
    }
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return action->text().startsWith(QLineEdit::tr("&Paste"));
    });
    ASSERT_NE(paste, actions.end());
    (*paste)->trigger();
    menu->close();
    EXPECT_EQ(field.text(), "77");
}

struct DoubleClickCase {
    const char* text;
    int character;
    const char* selected;
};

void PrintTo(const DoubleClickCase& click, std::ostream* out) {
    *out << click.text << " @" << click.character;
}

class DoubleClickTest : public FieldsTest, public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(DoubleClickTest, SelectsTheRunBetweenBlanks) {
    QLineEdit& field = Field("txtnV");
    field.setText(QString::fromUtf8(GetParam().text));
    QTest::mouseDClick(&field, Qt::LeftButton, {}, OnCharacter(field, GetParam().character));
    EXPECT_EQ(field.selectedText(), QString::fromUtf8(GetParam().selected));
}

INSTANTIATE_TEST_SUITE_P(
    Values, DoubleClickTest,
    ::testing::Values(DoubleClickCase{"9,8", 0, "9,8"}, DoubleClickCase{"9,8", 1, "9,8"},
                      DoubleClickCase{"9,8", 2, "9,8"}, DoubleClickCase{"1.234,5", 1, "1.234,5"},
                      DoubleClickCase{"1.234,5", 5, "1.234,5"}, DoubleClickCase{"1 2,5", 3, "2,5"},
                      DoubleClickCase{"-3", 0, "-3"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(FieldsTest, TypingAfterADoubleClickReplacesTheWholeValue) {
    QLineEdit& field = Field("txtg");
    QTest::mouseDClick(&field, Qt::LeftButton, {}, OnCharacter(field, 2));
    QTest::keyClicks(&field, QStringLiteral("4"));
    EXPECT_EQ(field.text(), "4");
}

TEST_F(FieldsTest, LeftFieldShowsTheBeginningOfItsText) {
    QLineEdit& field = Field("txtg");
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, QStringLiteral("58,33333333333333333333"));
    ASSERT_GT(field.cursorPosition(), 0);
    QTest::keyClick(&field, Qt::Key_Tab);
    ASSERT_FALSE(field.hasFocus());
    EXPECT_EQ(field.cursorPosition(), 0);
    EXPECT_EQ(field.cursorPositionAt(QPoint(3, field.height() / 2)), 0) << "not scrolled";
}

TEST_F(FieldsTest, AssignedLongTextShowsItsBeginning) {
    QLineEdit& field = Field("txtK");
    field.setText(QStringLiteral("350000000000000000000000"));
    EXPECT_EQ(field.cursorPosition(), 0);
}

}  // namespace
}  // namespace brennquist
