// akku.dat through the real window: start-up loading, the notice, saving and
// a failed save, in a temporary program folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "tests/support/recording_message_boxes.h"
#include "ui/frm_main.h"

namespace brennquist {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const QString kNotice = QStringLiteral("gespeicherte Daten nicht lesbar oder nicht vorhanden!");
const QByteArray kDesignFile(
    "Lithium Polymer/Ionen\r\n350\r\n5\r\n9,8\r\n1\r\n1\r\n5\r\n80\r\n1000\r\n");
const QByteArray kNiMHFile("NiMH\r\n3000\r\n10\r\n60\r\n10\r\n1\r\n15\r\n70\r\n900\r\n");
const std::vector<QString> kDesignTexts{
    "Lithium Polymer/Ionen", "350", "5", "9,8", "1", "1", "5", "80", "1000"};

// The boxes titled "Hinweis": those of the settings file.
std::vector<ShownBox> Notes(const RecordingMessageBoxes& boxes) {
    std::vector<ShownBox> notes;
    std::copy_if(boxes.shown.begin(), boxes.shown.end(), std::back_inserter(notes),
                 [](const ShownBox& box) { return box.title == QStringLiteral("Hinweis"); });
    return notes;
}

const ShownBox kNoticeBox{kNotice, QStringLiteral("Hinweis"), QMessageBox::Information};

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::optional<QByteArray> ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

// One window over one program folder, as the program builds it.
class Window {
  public:
    explicit Window(const QString& programFolder)
        : window_(messages_, FormEnvironment{.settingsFolder = programFolder,
                                             .locale = QLocale(QLocale::German, QLocale::Germany),
                                             .today = [] { return QDate(2024, 3, 9); }}) {}

    void Load() { window_.Form_Load(); }

    [[nodiscard]] frmMain& Form() { return window_; }
    [[nodiscard]] RecordingMessageBoxes& Messages() { return messages_; }

    [[nodiscard]] QLineEdit& Field(const char* name) {
        auto* field = window_.findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(field, nullptr) << name;
        return *field;
    }
    [[nodiscard]] QComboBox& CellSelect() {
        return *window_.findChild<QComboBox*>(QStringLiteral("cmbCellSelect"));
    }
    [[nodiscard]] QString Caption(const char* name) {
        const auto* label = window_.findChild<QLabel*>(QString::fromLatin1(name));
        return label == nullptr ? QStringLiteral("<missing>") : label->text();
    }

    // The nine inputs in file order.
    [[nodiscard]] std::vector<QString> Inputs() {
        std::vector<QString> texts{CellSelect().currentText()};
        for (const char* name :
             {"txtK", "txtI", "txtg", "txtReihe", "txtPar", "txtIL", "txtEta", "txtnV"}) {
            texts.push_back(Field(name).text());
        }
        return texts;
    }

    void SetInputs(const std::vector<QString>& texts) {
        CellSelect().setEditText(texts.at(0));
        int line = 1;
        for (const char* name :
             {"txtK", "txtI", "txtg", "txtReihe", "txtPar", "txtIL", "txtEta", "txtnV"}) {
            Field(name).setText(texts.at(line++));
        }
    }

    void PressSave() { window_.findChild<QPushButton*>(QStringLiteral("cmdSave"))->click(); }

  private:
    RecordingMessageBoxes messages_;
    frmMain window_;
};

class SettingsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    [[nodiscard]] QString Folder() const { return folder_.path(); }
    [[nodiscard]] QString SettingsPath() const {
        return folder_.filePath(QStringLiteral("akku.dat"));
    }
    [[nodiscard]] QStringList FolderEntries() const {
        return QDir(folder_.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir folder_;
};

TEST_F(SettingsWindowTest, StartWithSavedFileShowsItsInputsAndTheirResults) {
    WriteFile(SettingsPath(), kNiMHFile);
    Window window(Folder());
    window.Load();

    EXPECT_THAT(window.Inputs(),
                ElementsAre("NiMH", "3000", "10", "60", "10", "1", "15", "70", "900"));
    EXPECT_EQ(window.Caption("lblU"), "12");
    EXPECT_EQ(window.Caption("lblt"), "12");
    EXPECT_EQ(window.Caption("lbln"), "10800");
    EXPECT_EQ(window.Caption("lblPW"), "126");
    EXPECT_EQ(window.Caption("lbln100"), "8571");
    EXPECT_EQ(window.Caption("lblLuftS"), "9x5");
    EXPECT_EQ(window.Caption("lblMessage"), "Akkupack zu schwach ausgelegt!");
    EXPECT_THAT(window.Messages().shown, IsEmpty());
    EXPECT_EQ(ReadFile(SettingsPath()), kNiMHFile) << "loading leaves the file alone";
}

TEST_F(SettingsWindowTest, StartWithoutFileShowsTheNoticeOnceAndTheDesignInputs) {
    Window window(Folder());
    window.Load();

    EXPECT_THAT(window.Messages().shown, ElementsAre(kNoticeBox));
    EXPECT_THAT(window.Inputs(), ElementsAreArray(kDesignTexts));
    EXPECT_EQ(window.Caption("lblU"), "3,7");
    EXPECT_THAT(FolderEntries(), IsEmpty()) << "start-up creates no file";
}

struct LoadCase {
    const char* name;
    QByteArray bytes;
    std::vector<QString> inputs;
    bool notice;
};

void PrintTo(const LoadCase& load, std::ostream* out) {
    *out << load.name;
}

class SettingsWindowLoadTest : public SettingsWindowTest,
                               public ::testing::WithParamInterface<LoadCase> {};

TEST_P(SettingsWindowLoadTest, LoadsWhatIsThereAndKeepsTheRest) {
    WriteFile(SettingsPath(), GetParam().bytes);
    Window window(Folder());
    window.Load();

    EXPECT_THAT(window.Inputs(), ElementsAreArray(GetParam().inputs));
    const std::vector<ShownBox> notes =
        GetParam().notice ? std::vector<ShownBox>{kNoticeBox} : std::vector<ShownBox>{};
    EXPECT_EQ(Notes(window.Messages()), notes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsWindowLoadTest,
    ::testing::Values(
        LoadCase{"FourLines",
                 "NiMH\r\n3000\r\n10\r\n60\r\n",
                 {"NiMH", "3000", "10", "60", "1", "1", "5", "80", "1000"},
                 true},
        LoadCase{"EightLines",
                 "NiMH\r\n3000\r\n10\r\n60\r\n10\r\n1\r\n15\r\n70\r\n",
                 {"NiMH", "3000", "10", "60", "10", "1", "15", "70", "1000"},
                 true},
        LoadCase{"NineLinesLastWithoutLineEnd",
                 "NiMH\r\n3000\r\n10\r\n60\r\n10\r\n1\r\n15\r\n70\r\n900",
                 {"NiMH", "3000", "10", "60", "10", "1", "15", "70", "900"},
                 false},
        LoadCase{"MoreThanNineLines",
                 "NiCd\r\n3000\r\n10\r\n60\r\n10\r\n1\r\n15\r\n70\r\n900\r\nx\r\ny\r\n",
                 {"NiCd", "3000", "10", "60", "10", "1", "15", "70", "900"},
                 false},
        LoadCase{"LoneCarriageReturns",
                 "NiCd\r3000\r10\r60\r10\r1\r15\r70\r900\r",
                 {"NiCd", "3000", "10", "60", "10", "1", "15", "70", "900"},
                 false},
        // A line feed alone ends no line: the whole file is the cell type, as it stands.
        LoadCase{"LineFeedsOnlyBecomeOneCellType",
                 "NiMH\n3000\n10\n60\n10\n1\n15\n70\n900\n",
                 {"NiMH\n3000\n10\n60\n10\n1\n15\n70\n900\n", "350", "5", "9,8", "1", "1", "5",
                  "80", "1000"},
                 true},
        LoadCase{"OtherControlCharactersStayInTheirField",
                 "NiCd\f2\r\n35\v0\r\n10\x85\r\n60\r\n10\r\n1\r\n15\r\n70\r\n900\r\n",
                 {"NiCd\f2", "35\v0", "10…", "60", "10", "1", "15", "70", "900"},
                 false},
        LoadCase{"EmptyFile", "", kDesignTexts, true},
        LoadCase{"Windows1252UmlautAndEuro",
                 "Bleiakku \xE4\xF6\xFC\r\n\x80\r\n5\r\n\r\n1\r\n1\r\n5\r\n80\r\n1000\r\n",
                 {"Bleiakku äöü", "€", "5", "", "1", "1", "5", "80", "1000"},
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

// What the program loads reaches the fields exactly as stored, even where a
// person could not type it: the computation says what it cannot read, and the
// next save writes the file back byte for byte.
TEST_F(SettingsWindowTest, LoadedTextsStayAsStoredAndAreSavedBackUnchanged) {
    const QByteArray stored("NiMH\r\n35\v0\r\n10\r\n60\r\n10\r\n1\r\n15\r\n70\r\n900\r\n");
    WriteFile(SettingsPath(), stored);
    Window window(Folder());
    window.Load();
    EXPECT_EQ(window.Field("txtK").text(), QStringLiteral("35\v0"));
    EXPECT_GE(window.Messages().Count(QStringLiteral("Eingabefehler!")), 1);
    window.PressSave();
    EXPECT_EQ(ReadFile(SettingsPath()), stored);
}

// A file with line feeds alone is one line: the cell type holds it all, the
// notice tells that the rest is missing, and a save keeps every byte of it.
TEST_F(SettingsWindowTest, FileWithLineFeedsOnlyComesBackWhole) {
    const QByteArray unixFile("NiMH\n3000\n10\n60\n10\n1\n15\n70\n900\n");
    WriteFile(SettingsPath(), unixFile);
    {
        Window window(Folder());
        window.Load();
        EXPECT_EQ(window.CellSelect().currentText(), QString::fromLatin1(unixFile));
        EXPECT_EQ(Notes(window.Messages()), std::vector<ShownBox>{kNoticeBox});
        window.PressSave();
    }
    EXPECT_EQ(ReadFile(SettingsPath()),
              unixFile + "\r\n350\r\n5\r\n9,8\r\n1\r\n1\r\n5\r\n80\r\n1000\r\n");
    Window again(Folder());
    again.Load();
    EXPECT_THAT(again.Inputs(), ElementsAre(QString::fromLatin1(unixFile), "350", "5", "9,8", "1",
                                            "1", "5", "80", "1000"));
    EXPECT_THAT(Notes(again.Messages()), IsEmpty());
}

// Each line reaches its field before the next is read, and each change
// recomputes: a bad capacity is met by the recomputation of its own
// assignment, by that of every later field whose text changes (all but txtPar,
// which stays "1"), and by the last one of start-up.
TEST_F(SettingsWindowTest, EveryChangingAssignmentRecomputesAtOnce) {
    WriteFile(SettingsPath(), "NiMH\r\nabc\r\n10\r\n60\r\n10\r\n1\r\n15\r\n70\r\n900\r\n");
    Window window(Folder());
    window.Load();

    EXPECT_EQ(window.Field("txtK").text(), "abc");
    EXPECT_EQ(window.Messages().Count(QStringLiteral("Eingabefehler!")), 1 + 6 + 1);
    EXPECT_THAT(Notes(window.Messages()), IsEmpty());
}

struct ListCase {
    const char* cellType;
    int entry;  // the list's current entry after loading; -1 for none
};

void PrintTo(const ListCase& list, std::ostream* out) {
    *out << list.cellType;
}

class ListFollowsTest : public SettingsWindowTest,
                        public ::testing::WithParamInterface<ListCase> {};

// A bad capacity makes every recomputation visible as one error box: the
// loading of each cell type costs the same eight, so following the list adds
// none of its own.
TEST_P(ListFollowsTest, ListSelectsTheLoadedCellTypeWithoutRecomputing) {
    WriteFile(SettingsPath(), QByteArray(GetParam().cellType) +
                                  "\r\nabc\r\n10\r\n60\r\n10\r\n1\r\n15\r\n70\r\n900\r\n");
    Window window(Folder());
    window.Load();

    EXPECT_EQ(window.CellSelect().currentIndex(), GetParam().entry);
    EXPECT_EQ(window.CellSelect().currentText(), QString::fromUtf8(GetParam().cellType));
    EXPECT_EQ(window.CellSelect().count(), 3);
    EXPECT_EQ(window.Messages().Count(QStringLiteral("Eingabefehler!")), 1 + 6 + 1);
}

INSTANTIATE_TEST_SUITE_P(CellTypes, ListFollowsTest,
                         ::testing::Values(ListCase{"Lithium Polymer/Ionen", 0},
                                           ListCase{"NiCd", 1}, ListCase{"NiMH", 2},
                                           ListCase{"nicd", -1}, ListCase{"Blei-Gel", -1}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST_F(SettingsWindowTest, ArrowKeysMoveOnFromTheLoadedCellType) {
    WriteFile(SettingsPath(), kNiMHFile);
    Window window(Folder());
    window.Load();
    ASSERT_EQ(window.Caption("lblU"), "12");

    QTest::keyClick(&window.CellSelect(), Qt::Key_Up);
    EXPECT_EQ(window.CellSelect().currentText(), "NiCd");
    QTest::keyClick(&window.CellSelect(), Qt::Key_Up);
    EXPECT_EQ(window.CellSelect().currentText(), "Lithium Polymer/Ionen");
    EXPECT_EQ(window.Caption("lblU"), "37") << "choosing with the keys recomputes";
}

TEST_F(SettingsWindowTest, CellTypeGoesIntoTheTextPartAndRecomputesNothing) {
    Window window(Folder());
    window.Load();
    ASSERT_EQ(window.Caption("lblU"), "3,7");
    WriteFile(SettingsPath(), "Blei-Gel\r\n");
    window.Messages().shown.clear();

    window.Form().LoadSettings();

    EXPECT_EQ(window.CellSelect().currentText(), "Blei-Gel");
    EXPECT_EQ(window.CellSelect().count(), 3) << "the list itself is unchanged";
    EXPECT_EQ(window.Caption("lblU"), "3,7") << "no recomputation yet";
    EXPECT_THAT(window.Messages().shown, ElementsAre(kNoticeBox));
    window.Form().Recalculate();
    EXPECT_EQ(window.Caption("lblU"), "0") << "a cell type outside the list has no voltage";
}

TEST_F(SettingsWindowTest, SavingTheDesignInputsWritesThe55ByteFile) {
    Window window(Folder());
    window.Load();
    window.Messages().shown.clear();

    window.PressSave();

    EXPECT_EQ(ReadFile(SettingsPath()), kDesignFile);
    EXPECT_THAT(window.Messages().shown, IsEmpty());
    EXPECT_THAT(FolderEntries(), ElementsAre("akku.dat"));
}

TEST_F(SettingsWindowTest, SavedTextsComeBackInAFreshWindow) {
    const std::vector<QString> texts{"Blei-Gel & Co", "",    "  ", "Größe", "&", "-3",
                                     "1e999",         "€ 5", "漢"};
    {
        WriteFile(SettingsPath(), kNiMHFile);
        Window first(Folder());
        first.Load();
        first.SetInputs(texts);
        first.PressSave();
        EXPECT_THAT(Notes(first.Messages()), IsEmpty());
        EXPECT_EQ(ReadFile(SettingsPath()), QByteArray("Blei-Gel & Co\r\n\r\n  \r\nGr\xF6\xDF"
                                                       "e\r\n&\r\n-3\r\n1e999\r\n\x80 5\r\n?\r\n"));
    }
    Window second(Folder());
    second.Load();
    std::vector<QString> expected = texts;
    expected.back() = "?";  // not in the code page
    EXPECT_THAT(second.Inputs(), ElementsAreArray(expected));
    EXPECT_THAT(Notes(second.Messages()), IsEmpty());
}

// Save failures that root cannot override either: the previous file stays as
// it was, the user is told once, and the inputs stay as typed.
class FailingSaveTest : public SettingsWindowTest {
  protected:
    // Changes an input, presses Speichern and checks what a failed save owes.
    static void SaveFails(Window& window, const QString& path) {
        window.Field("txtK").setText(QStringLiteral("4711"));
        const std::vector<QString> before = window.Inputs();
        window.Messages().shown.clear();

        window.PressSave();

        const ShownBox expected{
            QStringLiteral("Die Eingaben konnten nicht in der Datei „%1“ gespeichert werden. "
                           "Die zuletzt gespeicherten Eingaben bleiben erhalten.")
                .arg(path),
            QStringLiteral("Hinweis"), QMessageBox::Warning};
        EXPECT_THAT(window.Messages().shown, ElementsAre(expected));
        EXPECT_EQ(window.Inputs(), before);
    }
};

// A file size limit stops the write half-way, as a full disk does.
TEST_F(FailingSaveTest, WriteStoppingHalfWayKeepsTheOldFileByteForByte) {
    WriteFile(SettingsPath(), kNiMHFile);
    Window window(Folder());
    window.Load();

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    SaveFails(window, SettingsPath());
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    static_cast<void>(std::signal(SIGXFSZ, previousHandler));

    EXPECT_EQ(ReadFile(SettingsPath()), kNiMHFile);
    EXPECT_THAT(FolderEntries(), ElementsAre("akku.dat")) << "temporary file removed";
}

TEST_F(FailingSaveTest, ProgramFolderThatIsAFile) {
    const QString notAFolder = folder_.filePath(QStringLiteral("program"));
    WriteFile(notAFolder, "old");
    Window window(notAFolder);
    window.Load();
    SaveFails(window, notAFolder + QStringLiteral("/akku.dat"));
    EXPECT_EQ(ReadFile(notAFolder), QByteArray("old"));
}

TEST_F(FailingSaveTest, FolderInPlaceOfTheFile) {
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("akku.dat")));
    WriteFile(SettingsPath() + QStringLiteral("/inside"), "keep");
    Window window(Folder());
    window.Load();
    SaveFails(window, SettingsPath());
    EXPECT_EQ(ReadFile(SettingsPath() + QStringLiteral("/inside")), QByteArray("keep"));
    EXPECT_THAT(FolderEntries(), ElementsAre("akku.dat")) << "temporary file removed";
}

}  // namespace
}  // namespace brennquist
