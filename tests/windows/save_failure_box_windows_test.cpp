// The box after ReplaceFileW failed half-way as documented for
// ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 (the old file under the backup name).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <QDir>
#include <QTemporaryDir>

#include "storage/windows/win32_calls.h"
#include "tests/support/recording_message_boxes.h"
#include "ui/frm_main.h"

namespace brennquist {
namespace {

BOOL WINAPI ReplaceFailingHalfWay(LPCWSTR replaced, LPCWSTR /*replacement*/, LPCWSTR backup,
                                  DWORD /*flags*/, LPVOID /*exclude*/, LPVOID /*reserved*/) {
    ::MoveFileW(replaced, backup);
    ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
}

TEST(SaveFailureBoxWindows, SaysTheNewInputsAreSavedAfterAll) {
    const QTemporaryDir folder;
    RecordingMessageBoxes boxes;
    frmMain window(boxes, FormEnvironment{folder.path(), QLocale(QLocale::German),
                                          [] { return QDate(2026, 12, 8); }});
    window.SaveSettings();  // the first save puts akku.dat there to be replaced
    const Win32Calls windows = Win32();
    Win32().replaceFile = ReplaceFailingHalfWay;
    window.SaveSettings();
    Win32() = windows;

    const QString text = QStringLiteral(
        "Beim Speichern der Eingaben in der Datei „%1“ ist ein Fehler "
        "aufgetreten. Die neuen Eingaben wurden dennoch gespeichert.");
    EXPECT_THAT(boxes.shown, ::testing::ElementsAre(ShownBox{
                                 text.arg(QDir::toNativeSeparators(folder.filePath("akku.dat"))),
                                 QStringLiteral("Hinweis"), QMessageBox::Warning}));
}

}  // namespace
}  // namespace brennquist
