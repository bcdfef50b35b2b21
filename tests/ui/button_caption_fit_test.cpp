// A button's caption is narrowed only as far as its fixed box needs.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <string>

#include "ui/button_caption_fit.h"
#include "ui/window_fonts.h"

namespace brennquist {
namespace {

int RoomIn(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
}

bool Narrowed(const QFont& font) {
    return font.stretch() != QFont::AnyStretch && font.stretch() < QFont::Unstretched;
}

int CaptionWidth(const QPushButton& button) {
    return QFontMetrics(button.font()).horizontalAdvance(button.text());
}

struct FitCase {
    const char* caption;
    int extraRoom;  // button width beyond the caption's unstretched width, may be negative
    bool narrowed;
};

class ButtonCaptionFitTest : public ::testing::TestWithParam<FitCase> {
  protected:
    void SetUp() override { InstallFontSubstitutes(); }
};

TEST_P(ButtonCaptionFitTest, CaptionEndsInsideTheBoxAndIsNarrowedOnlyWhenItMustBe) {
    const FitCase& fit = GetParam();
    QPushButton button(QString::fromUtf8(fit.caption));
    button.setFont(ControlFont(FontKey::B));
    const QFont designFont = button.font();
    button.resize(100, 49);
    const int margins = button.width() - RoomIn(button);
    button.resize(CaptionWidth(button) + margins + fit.extraRoom, 49);

    FitCaptionIntoButton(button);

    EXPECT_LE(CaptionWidth(button), RoomIn(button));
    EXPECT_EQ(Narrowed(button.font()), fit.narrowed);
    EXPECT_EQ(button.font().family(), designFont.family());
    EXPECT_EQ(button.font().bold(), designFont.bold());
    if (fit.narrowed) {
        // No narrower than needed: one step wider would not fit.
        QFont wider = button.font();
        wider.setStretch(button.font().stretch() + 2);
        EXPECT_GT(QFontMetrics(wider).horizontalAdvance(button.text()), RoomIn(button));
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, ButtonCaptionFitTest,
                         ::testing::Values(FitCase{"eMail Anfrage", 10, false},
                                           FitCase{"eMail Anfrage", 0, false},
                                           FitCase{"eMail Anfrage", -1, true},
                                           FitCase{"eMail Anfrage", -8, true},
                                           FitCase{"Speichern", -4, true}),
                         [](const auto& info) {
                             const int room = info.param.extraRoom;
                             return std::string(info.param.caption).substr(0, 5) +
                                    (room < 0 ? "_short_by_" : "_spare_") +
                                    std::to_string(room < 0 ? -room : room);
                         });

TEST(ButtonCaptionFitLimitTest, AHopelessCaptionStopsAtTheNarrowestReadableFont) {
    InstallFontSubstitutes();
    QPushButton button(QStringLiteral("eMail Anfrage"));
    button.setFont(ControlFont(FontKey::B));
    button.resize(20, 49);

    FitCaptionIntoButton(button);

    EXPECT_EQ(button.font().stretch(), QFont::ExtraCondensed);
}

}  // namespace
}  // namespace brennquist
