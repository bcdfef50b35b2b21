// The inquiry's date as the C library writes it for the user's locale, with
// the locales the tests' set-up generates; German where none is chosen.
#include "mail/short_date_text.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <ostream>

namespace brennquist {
namespace {

using std::chrono::December;
using std::chrono::January;

struct DateCase {
    const char* lcAll;  // nullptr: unset, and so are LC_TIME and LANG
    std::chrono::year_month_day date;
    const char* text;
};

void PrintTo(const DateCase& date, std::ostream* out) {
    *out << (date.lcAll != nullptr ? date.lcAll : "unset") << ' ' << date.text;
}

class ShortDateTextTest : public testing::TestWithParam<DateCase> {};

TEST_P(ShortDateTextTest, IsTheUsersShortDate) {
    const char* const lcAll = GetParam().lcAll;
    if (lcAll == nullptr) {
        ::unsetenv("LC_ALL");
    } else {
        ::setenv("LC_ALL", lcAll, 1);
    }
    ::unsetenv("LC_TIME");
    ::unsetenv("LANG");
    EXPECT_EQ(ShortDateText(GetParam().date), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, ShortDateTextTest,
    testing::Values(DateCase{"de_DE.UTF-8", std::chrono::year{2026} / December / 7, "07.12.2026"},
                    DateCase{"de_DE.UTF-8", std::chrono::year{2100} / January / 1, "01.01.2100"},
                    DateCase{"en_US.UTF-8", std::chrono::year{2026} / December / 7, "12/07/2026"},
                    DateCase{"C", std::chrono::year{2026} / December / 8, "08.12.2026"},
                    DateCase{"C.UTF-8", std::chrono::year{2027} / January / 2, "02.01.2027"},
                    DateCase{nullptr, std::chrono::year{2026} / December / 9, "09.12.2026"},
                    DateCase{"xx_XX.UTF-8", std::chrono::year{2026} / December / 9, "09.12.2026"}));

}  // namespace
}  // namespace brennquist
