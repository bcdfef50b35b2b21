// The logo is drawn for the screen's density: run at QT_SCALE_FACTOR 1 and 2
// (tests/ui/CMakeLists.txt), it always fills 100 x 100 device-independent
// pixels with as many real pixels as the screen has there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QTemporaryDir>

#include "tests/support/recording_message_boxes.h"
#include "ui/frm_main.h"
#include "ui/window_art.h"

namespace brennquist {
namespace {

class HighDpiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        // The scale this run was started with really reached the window.
        ASSERT_EQ(window_.devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }

    QTemporaryDir folder_;
    RecordingMessageBoxes boxes_;
    frmMain window_{boxes_, FormEnvironment{folder_.path(), QLocale(QLocale::German),
                                            [] { return QDate(2026, 12, 8); }}};
};

TEST_F(HighDpiTest, LogoIsDrawnAtTheScreensPixelRatio) {
    const auto* const logo = window_.findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(logo, nullptr);
    const QPixmap pixmap = logo->pixmap();
    const qreal ratio = window_.devicePixelRatioF();
    EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
    EXPECT_EQ(pixmap.size(), QSize(100, 100) * ratio);
    EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(100, 100));
}

TEST_F(HighDpiTest, LogoIsDrawnAnewOnAScreenOfAnotherDensity) {
    auto* const logo = window_.findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(logo, nullptr);
    // As if drawn for a screen of another density, before the move to this one.
    const qreal other = window_.devicePixelRatioF() == 1.0 ? 2.0 : 1.0;
    logo->setPixmap(VendorLogo(other));
    QEvent moved(QEvent::ScreenChangeInternal);
    QCoreApplication::sendEvent(logo, &moved);
    EXPECT_EQ(logo->pixmap().devicePixelRatio(), window_.devicePixelRatioF());
    EXPECT_EQ(logo->pixmap().deviceIndependentSize(), QSizeF(100, 100));
}

TEST_F(HighDpiTest, WindowIconIsDrawnAtTheScreensPixelRatio) {
    const qreal ratio = window_.devicePixelRatioF();
    const QPixmap pixmap = window_.windowIcon().pixmap(QSize(32, 32), ratio);
    EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
    EXPECT_EQ(pixmap.size(), QSize(32, 32) * ratio);
}

}  // namespace
}  // namespace brennquist
