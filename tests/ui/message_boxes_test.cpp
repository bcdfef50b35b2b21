// The real message box shows its text as written, markup included: a save
// that fails in a folder named "<b>fett" names that folder literally.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <optional>
#include <ostream>

#include "ui/frm_main.h"

namespace brennquist {
namespace {

struct SeenBox {
    bool shown = false;
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    QWidget* parent = nullptr;
    QWindow* transientParent = nullptr;
    QPoint centre;
};

// Answers the modal box that is open when the event loop next runs, noting
// what it showed.
void AnswerOpenBox(SeenBox& seen) {
    auto* const box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
        return;
    }
    seen.shown = true;
    if (const auto* const label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        seen.format = label->textFormat();
        seen.text = label->text();
    }
    seen.parent = box->parentWidget();
    seen.transientParent = box->windowHandle()->transientParent();
    seen.centre = box->frameGeometry().center();
    box->accept();
}

// Shows one box through boxes once the event loop runs it, answers it and
// returns what it looked like.
SeenBox ShowAndAnswer(ModalMessageBoxes& boxes) {
    SeenBox seen;
    QTimer answer;
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&seen] { AnswerOpenBox(seen); });
    answer.start(0);
    boxes.Show(QStringLiteral("gespeicherte Daten nicht lesbar oder nicht vorhanden!"),
               QStringLiteral("Hinweis"), QMessageBox::Information);
    return seen;
}

TEST(MessageBoxTest, BoxBelongsToTheShownWindowAndIsCentredOnIt) {
    ModalMessageBoxes boxes;
    frmMain window(boxes, FormEnvironment{QString(), QLocale(QLocale::German),
                                          [] { return QDate(2026, 12, 8); }});
    boxes.CentreOn(&window);
    // Away from the screen's centre, so a box centred on the screen shows up.
    window.move(20, 30);
    window.show();

    const SeenBox seen = ShowAndAnswer(boxes);

    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.parent, &window);
    EXPECT_EQ(seen.transientParent, window.windowHandle());
    const QPoint offset = seen.centre - window.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << ", " << offset.y();
}

TEST(MessageBoxTest, BoxBeforeTheWindowIsShownHasNoParent) {
    ModalMessageBoxes boxes;
    frmMain window(boxes, FormEnvironment{QString(), QLocale(QLocale::German),
                                          [] { return QDate(2026, 12, 8); }});
    boxes.CentreOn(&window);

    const SeenBox seen = ShowAndAnswer(boxes);

    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.parent, nullptr);
    EXPECT_EQ(seen.transientParent, nullptr);
    EXPECT_FALSE(window.isVisible());  // the box did not bring the window up early
}

TEST(MessageBoxTest, BoxAfterTheWindowIsGoneHasNoParent) {
    ModalMessageBoxes boxes;
    {
        frmMain window(boxes, FormEnvironment{QString(), QLocale(QLocale::German),
                                              [] { return QDate(2026, 12, 8); }});
        boxes.CentreOn(&window);
        window.show();
    }
    const SeenBox seen = ShowAndAnswer(boxes);

    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.parent, nullptr);
}

TEST(MessageBoxTest, SaveFailureShowsAPathWithMarkupAsWritten) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A plain file where the folder should be: no save can go through it.
    const QString blocked = QDir(folder.path()).filePath(QStringLiteral("<b>fett"));
    QFile blocker(blocked);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ModalMessageBoxes boxes;
    frmMain window(boxes, FormEnvironment{blocked, QLocale(QLocale::German),
                                          [] { return QDate(2026, 12, 8); }});
    SeenBox seen;
    QTimer answer;
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&seen] { AnswerOpenBox(seen); });
    answer.start(0);
    window.SaveSettings();

    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_TRUE(seen.text.contains(QStringLiteral("/<b>fett/akku.dat"))) << seen.text.toStdString();
}

// What the user does in the save dialog for a printer that prints into a
// file, and the path the window takes from it ("" when none).
struct PrintFileAnswer {
    const char* typed;   // nullptr: Abbrechen
    const char* filter;  // the file type chosen
    const char* taken;
};

void PrintTo(const PrintFileAnswer& answer, std::ostream* out) {
    *out << (answer.typed != nullptr ? answer.typed : "Abbrechen") << " as " << answer.filter;
}

class PrintFileDialogTest : public ::testing::TestWithParam<PrintFileAnswer> {};

TEST_P(PrintFileDialogTest, TheChosenFileIsTakenAsTyped) {
    const QTemporaryDir folder;
    QString suggested;
    QTimer::singleShot(0, [&] {
        auto* const dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        suggested = dialog->selectedFiles().value(0);
        if (GetParam().typed == nullptr) {
            dialog->reject();
            return;
        }
        dialog->selectNameFilter(QString::fromLatin1(GetParam().filter));
        dialog->selectFile(QDir(folder.path()).filePath(QString::fromLatin1(GetParam().typed)));
        static_cast<QDialog*>(dialog)->accept();  // as Speichern does
    });

    const std::optional<QString> taken = ModalMessageBoxes().AskPrintFile();

    EXPECT_EQ(QFileInfo(suggested).fileName(), QStringLiteral("Brennquist.pdf"));
    EXPECT_EQ(taken ? QFileInfo(*taken).fileName() : QString(),
              QString::fromLatin1(GetParam().taken));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PrintFileDialogTest,
    ::testing::Values(PrintFileAnswer{"Bericht", "PDF-Dokument (*.pdf)", "Bericht.pdf"},
                      PrintFileAnswer{"Bericht.PDF", "PDF-Dokument (*.pdf)", "Bericht.PDF"},
                      PrintFileAnswer{"Bericht", "Alle Dateien (*.*)", "Bericht"},
                      PrintFileAnswer{nullptr, "", ""}));

}  // namespace
}  // namespace brennquist
