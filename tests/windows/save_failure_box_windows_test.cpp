// The box after a save that failed once the old file had begun to give way,
// the Win32 calls answering as Microsoft documents (win32_stand_ins.h), and
// after a save that found no folder for akku.dat.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <QDir>
#include <QTemporaryDir>

#include "tests/support/recording_message_boxes.h"
#include "tests/windows/win32_stand_ins.h"
#include "ui/frm_main.h"

namespace brennquist {
namespace {

struct BoxCase {
    const char* name;
    testing::Answers answers;
    const char* text;  // %1 the file, %2 akku.dat.alt; without %1: no folder at all
};

class SaveFailureBoxWindows : public ::testing::TestWithParam<BoxCase> {};

TEST_P(SaveFailureBoxWindows, SaysWhatTheFileHoldsNow) {
    const QTemporaryDir folder;
    const QString text = QString::fromUtf8(GetParam().text);
    const bool noFolder = !text.contains(QStringLiteral("%1"));
    RecordingMessageBoxes boxes;
    frmMain window(boxes, FormEnvironment{noFolder ? QString() : folder.path(),
                                          QLocale(QLocale::German), [] { return QDate(); }});
    if (!noFolder) {
        window.SaveSettings();  // the first save puts akku.dat there to be replaced
    }
    {
        const testing::StandIns standIns(GetParam().answers);
        window.SaveSettings();
    }

    const QString file = QDir::toNativeSeparators(folder.filePath("akku.dat"));
    EXPECT_THAT(boxes.shown,
                ::testing::ElementsAre(ShownBox{noFolder ? text : text.arg(file, file + ".alt"),
                                                QStringLiteral("Hinweis"), QMessageBox::Warning}));
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SaveFailureBoxWindows,
    ::testing::Values(
        BoxCase{"HalfWayThenMovedIn",
                {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2},
                "Beim Speichern der Eingaben in der Datei „%1“ ist ein Fehler aufgetreten. Die "
                "neuen Eingaben wurden dennoch gespeichert."},
        BoxCase{"HalfWayNeitherMoves",
                {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, ERROR_ACCESS_DENIED},
                "Die Eingaben konnten nicht in der Datei „%1“ gespeichert werden. Die zuletzt "
                "gespeicherten Eingaben stehen jetzt in der Datei „%2“."},
        BoxCase{"InPlaceNotUndone",
                {0, 0, 2, true},
                "Die Eingaben konnten nicht in der Datei „%1“ gespeichert werden, und ihr "
                "bisheriger Inhalt ließ sich nicht wiederherstellen. Die Datei enthält jetzt "
                "möglicherweise weder die neuen noch die zuletzt gespeicherten Eingaben."},
        BoxCase{"NoFolder",
                {},
                "Die Eingaben konnten nicht gespeichert werden: Es wurde kein Ordner für die "
                "gespeicherten Eingaben gefunden."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace brennquist
