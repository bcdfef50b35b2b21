// main() for the tests that need the program as started from a shell: the
// print helper first (the tests press Drucken), then the own terminal (see
// own_terminal.h), then one offscreen QApplication under a German locale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>

#include "report/print_helper.h"
#include "report/print_helper_program.h"
#include "tests/report/own_terminal.h"

int main(int argc, char** argv) {
    if (const auto helped = brennquist::AnswerAsPrintHelper(argc, argv)) {
        return *helped;
    }
    brennquist::ServeAsOwnPrintHelper();
    if (const auto status = brennquist::testing::OwnTerminal::Get().Start()) {
        return *status;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    setenv("LANG", "de_DE.UTF-8", 1);
    ::testing::InitGoogleTest(&argc, argv);
    const QApplication app(argc, argv);
    // Qt's one-time notice about the runtime folder comes now, not in a test
    // that watches the terminal.
    QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return RUN_ALL_TESTS();
}
