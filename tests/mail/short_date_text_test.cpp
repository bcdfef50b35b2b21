// The date text of the inquiry's subject under real Qt locales.
#include "mail/short_date_text.h"

#include <gtest/gtest.h>

#include <ostream>

namespace brennquist {
namespace {

struct DateCase {
    QLocale::Language language;
    QLocale::Territory territory;
    QDate date;
    const char* text;
};

void PrintTo(const DateCase& c, std::ostream* out) {
    *out << c.text;
}

class ShortDateTextTest : public testing::TestWithParam<DateCase> {};

TEST_P(ShortDateTextTest, UsesTheShortFormatWithAFourDigitYear) {
    const DateCase& c = GetParam();
    EXPECT_EQ(ShortDateText(c.date, QLocale(c.language, c.territory)).toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, ShortDateTextTest,
    testing::Values(
        DateCase{QLocale::German, QLocale::Germany, QDate(2026, 12, 7), "07.12.2026"},
        DateCase{QLocale::German, QLocale::Germany, QDate(2026, 3, 5), "05.03.2026"},
        DateCase{QLocale::German, QLocale::Germany, QDate(1999, 12, 31), "31.12.1999"},
        DateCase{QLocale::German, QLocale::Germany, QDate(2100, 1, 1), "01.01.2100"},
        DateCase{QLocale::English, QLocale::UnitedStates, QDate(2026, 12, 7), "12/7/2026"},
        DateCase{QLocale::English, QLocale::UnitedKingdom, QDate(2026, 12, 7), "07/12/2026"},
        DateCase{QLocale::Japanese, QLocale::Japan, QDate(2026, 12, 7), "2026/12/07"},
        // No locale chosen (LANG=C): German, as the number separators are.
        DateCase{QLocale::C, QLocale::AnyTerritory, QDate(2026, 12, 8), "08.12.2026"},
        DateCase{QLocale::C, QLocale::AnyTerritory, QDate(2027, 1, 2), "02.01.2027"}));

TEST(ShortDateTextTest, GermanDefaultPatternWouldCutTheYear) {
    // The reason for the widening: Qt's own German short date has two digits.
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(german.toString(QDate(2026, 12, 7), QLocale::ShortFormat).toStdString(), "07.12.26");
    EXPECT_EQ(ShortDateText(QDate(2026, 12, 7), german).toStdString(), "07.12.2026");
}

}  // namespace
}  // namespace brennquist
