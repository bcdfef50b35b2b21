// main() for widget tests: one offscreen QApplication under a German locale,
// whatever the calling shell has set. A test that presses Drucken starts the
// test program again as the print helper, as the real program would.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "report/report_printer.h"

int main(int argc, char** argv) {
    if (const auto helped = brennquist::AnswerAsPrintHelper(argc, argv)) {
        return *helped;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    setenv("LANG", "de_DE.UTF-8", 1);
    ::testing::InitGoogleTest(&argc, argv);
    const QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
