// The inquiry's date as Windows writes the user's short date, for the
// patterns a user can choose in the regional settings (SetLocaleInfoW sets
// the user's own, as those settings do); the user's pattern comes back after.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <chrono>
#include <ostream>
#include <string>

#include "mail/short_date_text.h"

namespace brennquist {
namespace {

struct PatternCase {
    const wchar_t* pattern;
    const char* text;  // for 7 December 2026
};

void PrintTo(const PatternCase& pattern, std::ostream* out) {
    *out << pattern.text;
}

class ShortDateTextWindows : public testing::TestWithParam<PatternCase> {
  protected:
    ShortDateTextWindows() {
        saved_.resize(::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, saved_.data(),
                                        static_cast<int>(saved_.size())));
    }
    ~ShortDateTextWindows() override {
        ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved_.c_str());
    }

    std::wstring saved_ = std::wstring(80, L'\0');
};

TEST_P(ShortDateTextWindows, IsTheUsersShortDate) {
    ASSERT_NE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, GetParam().pattern), 0);
    EXPECT_EQ(ShortDateText(std::chrono::year{2026} / std::chrono::December / 7), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Patterns, ShortDateTextWindows,
                         testing::Values(PatternCase{L"dd.MM.yyyy", "07.12.2026"},
                                         PatternCase{L"dd.MM.yy", "07.12.26"},
                                         PatternCase{L"d.M.yyyy", "7.12.2026"},
                                         PatternCase{L"yyyy-MM-dd", "2026-12-07"}));

}  // namespace
}  // namespace brennquist
