// Start-up of the real window: what it shows before the user touches it.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVariant>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/vendor.h"
#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, DesignTextsGiveTheFirstWorkedExample) {
    Start();
    const std::vector<std::pair<const char*, QString>> expected = {
        {"lblMessage", ""},
        {"lblU", "3,7"},
        {"lblI", "5"},
        {"lblK", "350"},
        {"lblg", "9,8"},
        {"lblz", "1"},
        {"lblt", "4"},
        {"lblImot", "Nennstrom [A] bei 3,7V"},
        {"lblEta", "Wirkungsgrad [%] bei 3,7V"},
        {"FrameMotor", "Motordaten (Zellenzahl=3)"},
        {"lbllbln", "Drehzahl[1/min] bei 3,7V"},
        {"lbln", "3700"},
        {"lbllblPW", "Wellenleistung[W] bei 3,7V"},
        {"lblPW", "15"},
        {"lbln100", "24667"},
        {"lblLuftS", "8x5"},
    };
    for (const auto& [name, text] : expected) {
        EXPECT_EQ(Caption(name), text) << name;
    }
    EXPECT_EQ(InputErrorBoxes(), 0);
}

TEST_F(StartupTest, SelectingTheFirstEntryAndTheFinalRunEachRecomputeOnce) {
    Create();
    Find<QLineEdit>("txtK").setText(QStringLiteral("x"));  // unreadable in every run from now on
    boxes_.shown.clear();
    window_->Form_Load();
    // No akku.dat, so loading assigns nothing: the list choice and the last run remain.
    EXPECT_EQ(InputErrorBoxes(), 2);
}

TEST_F(StartupTest, CellListShowsItsFirstEntryNotTheDesignText) {
    Start();
    const auto& list = Find<QComboBox>("cmbCellSelect");
    EXPECT_EQ(list.currentText(), QStringLiteral("Lithium Polymer/Ionen"));
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_EQ(list.count(), 3);
}

TEST_F(StartupTest, StartingTwiceDoesNotGrowTheList) {
    Start();
    window_->Form_Load();
    EXPECT_EQ(Find<QComboBox>("cmbCellSelect").count(), 3);
}

TEST_F(StartupTest, TitleEndsWithTheVersionRightAfterTheV) {
    Start();
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Brennquist + Luftschraubenberechnung     v") +
                                          QStringLiteral(BRENNQUIST_TEST_VERSION));
}

TEST_F(StartupTest, AddressKeepsCarriageReturnsButShowsFiveLines) {
    Start();
    const auto& address = Find<QLabel>("lblFirma");
    QString joined;
    for (const std::string_view line : kVendorAddressLines) {
        joined += (joined.isEmpty() ? QString() : QStringLiteral("\r")) +
                  QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    }
    EXPECT_EQ(address.property("caption").toString(), joined);
    EXPECT_FALSE(address.text().contains(QLatin1Char('\r')));
    EXPECT_EQ(address.text().split(QLatin1Char('\n')).size(), 5);
}

TEST_F(StartupTest, DisclaimerReplacesTheDesignCaption) {
    Start();
    EXPECT_EQ(Caption("lblHinweis"),
              QStringLiteral("Hinweis: Die berechneten Werte sind Anhaltspunkte und sollen vor "
                             "grober Fehlanpassung schützen. Die Verwendung erfolgt auf eigene "
                             "Gefahr unter Ausschluss jeglicher Gewährleistung."));
}

TEST_F(StartupTest, WindowHasTheClientSizeOfTheFormAndCannotBeResized) {
    Start();
    EXPECT_EQ(window_->size(), QSize(843, 558));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
}

// The separators come from the user's locale; without one, the German ones.
struct SeparatorCase {
    const char* name;
    QLocale locale;
    QString voltage;  // 1 x 3.7 V
    QString weight;   // the design text "9,8" read with these separators
};

class SeparatorTest : public WindowTest, public ::testing::WithParamInterface<SeparatorCase> {};

TEST_P(SeparatorTest, DesignTextsAreReadWithTheLocalesSeparators) {
    Start(GetParam().locale);
    EXPECT_EQ(Caption("lblU"), GetParam().voltage);
    EXPECT_EQ(Caption("lblg"), GetParam().weight);
    EXPECT_EQ(Caption("lbllbln"),
              QStringLiteral("Drehzahl[1/min] bei ") + GetParam().voltage + QStringLiteral("V"));
    EXPECT_EQ(InputErrorBoxes(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, SeparatorTest,
    ::testing::Values(
        SeparatorCase{"German", QLocale(QLocale::German, QLocale::Germany), "3,7", "9,8"},
        // "," groups digits there, so "9,8" is ninety-eight.
        SeparatorCase{"English", QLocale(QLocale::English, QLocale::UnitedStates), "3.7", "98"},
        SeparatorCase{"NoLocale", QLocale::c(), "3,7", "9,8"},
        // A group separator of several bytes in UTF-8.
        SeparatorCase{"French", QLocale(QLocale::French, QLocale::France), "3,7", "9,8"}),
    [](const ::testing::TestParamInfo<SeparatorCase>& info) { return info.param.name; });

}  // namespace
}  // namespace brennquist
