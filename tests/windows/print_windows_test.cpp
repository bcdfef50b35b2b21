// Drucken on Windows, where no printer is set up (the test's Wine prefix sees
// no print service): the same message as on Linux, at once, and the window
// stays as it was.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

class PrintWindowsTest : public WindowTest {};

TEST_F(PrintWindowsTest, WithoutADefaultPrinterDruckenSaysSoWithinTenSeconds) {
    ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull()) << "the test needs a machine without one";
    Start();
    boxes_.shown.clear();  // the notice about the missing akku.dat
    const QString seriesBefore = Find<QLineEdit>("txtReihe").text();
    QElapsedTimer clock;
    clock.start();

    QTest::mouseClick(&Find<QPushButton>("cmdPrint"), Qt::LeftButton);

    EXPECT_LT(clock.elapsed(), 10000);
    const ShownBox expected{QStringLiteral("Der Bericht konnte nicht gedruckt werden: Es ist kein "
                                           "Standarddrucker eingerichtet."),
                            QStringLiteral("Hinweis"), QMessageBox::Warning};
    EXPECT_EQ(boxes_.shown, std::vector<ShownBox>({expected}));
    EXPECT_EQ(Find<QLineEdit>("txtReihe").text(), seriesBefore);
}

}  // namespace
}  // namespace brennquist
