// "Drucken" on a machine without a default printer: this test runs with
// CUPS_SERVER pointing at a socket that does not exist, so no print server
// and no printer can be found.
#include <gtest/gtest.h>

#include <QPrinterInfo>

#include "tests/report/print_window.h"

namespace brennquist {
namespace {

using NoDefaultPrinter = testing::PrintWindowTest;

TEST_F(NoDefaultPrinter, PressingPrintShowsOneNoticeAndChangesNothing) {
    ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull())
        << "the test expects no reachable print server (CUPS_SERVER="
        << qgetenv("CUPS_SERVER").toStdString() << ")";
    Find<QLineEdit>("txtK").setText(QStringLiteral("4321"));
    const auto before = WindowTexts();
    boxes_.shown.clear();

    PressPrint();

    ASSERT_EQ(boxes_.shown.size(), 1U);
    EXPECT_EQ(boxes_.shown[0].text.toStdString(),
              "Der Bericht konnte nicht gedruckt werden: Es ist kein Standarddrucker "
              "eingerichtet.");
    EXPECT_EQ(boxes_.shown[0].title, QStringLiteral("Hinweis"));
    EXPECT_EQ(boxes_.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(WindowTexts(), before);
}

TEST_F(NoDefaultPrinter, EveryPressGetsItsOwnNotice) {
    PressPrint();
    PressPrint();
    EXPECT_EQ(boxes_.shown.size(), 2U);
}

}  // namespace
}  // namespace brennquist
