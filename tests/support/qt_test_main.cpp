// main() for widget tests: one offscreen QApplication under a German locale,
// whatever the calling shell has set. A test that presses Drucken or eMail
// Anfrage starts the test program again as the helper, as the real program
// would.
#include <gtest/gtest.h>

#include <QApplication>

#include "mail/open_mail_link.h"
#include "report/print_helper.h"
#include "report/print_helper_program.h"

int main(int argc, char** argv) {
    if (const auto helped = brennquist::AnswerAsPrintHelper(argc, argv)) {
        return *helped;
    }
    brennquist::ServeAsOwnPrintHelper();
    if (const auto helped = brennquist::AnswerAsMailHelper(argc, argv)) {
        return *helped;
    }
    // Offscreen unless a test run names the platform that draws the real
    // fonts, where offscreen finds none (Windows under Wine).
    const QByteArray platform = qgetenv("BRENNQUIST_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    const QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
