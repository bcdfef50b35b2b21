// Widening the year of a date pattern to four digits.
#include "mail/year_format.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace brennquist {
namespace {

struct PatternCase {
    const char* pattern;
    const char* widened;
};

void PrintTo(const PatternCase& c, std::ostream* out) {
    *out << '"' << c.pattern << '"';
}

class FourDigitYearFormatTest : public testing::TestWithParam<PatternCase> {};

TEST_P(FourDigitYearFormatTest, WidensOnlyTwoDigitYearFields) {
    EXPECT_EQ(FourDigitYearFormat(GetParam().pattern), GetParam().widened);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FourDigitYearFormatTest,
    testing::Values(PatternCase{"dd.MM.yy", "dd.MM.yyyy"},    // German
                    PatternCase{"M/d/yy", "M/d/yyyy"},        // English (US)
                    PatternCase{"yy. M. d.", "yyyy. M. d."},  // year first
                    PatternCase{"dd.MM.yyyy", "dd.MM.yyyy"},  // already four digits
                    PatternCase{"yyyy/MM/dd", "yyyy/MM/dd"},
                    PatternCase{"d.M.yyy", "d.M.yyyy"},         // three letters print "26y"
                    PatternCase{"dd 'yy' yy", "dd 'yy' yyyy"},  // quoted text stays
                    PatternCase{"dd 'it''s' yy", "dd 'it''s' yyyy"},
                    PatternCase{"'yyyy' dd.MM.yy", "'yyyy' dd.MM.yyyy"},
                    PatternCase{"d y yy", "d y yyyy"},  // a lone y is a plain letter
                    PatternCase{"dd.MM.", "dd.MM."},    // no year at all
                    PatternCase{"", ""}));

}  // namespace
}  // namespace brennquist
