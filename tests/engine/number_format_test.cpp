#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "engine/engine.h"

namespace brennquist {
namespace {

const Separators kGerman{",", "."};

TEST(FormatReal, FifteenSignificantDigitsPlainDecimal) {
    const std::pair<double, std::string> cases[] = {
        {3 * 3.7, "11,1"},  // 11.100000000000001 in binary
        {6 * 3.7, "22,2"},
        {9.8 * 3, "29,4"},
        {7 * 1.2, "8,4"},
        {1.0, "1"},
        {30.0, "30"},
        {0.5, "0,5"},
        {-3.7, "-3,7"},
        {0.0, "0"},
        {-0.0, "0"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3.0, "0,333333333333333"},
        {2.0 / 3.0, "0,666666666666667"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.0, "999999999999999"},
        {0.0001, "0,0001"},
        {0.00012345, "0,00012345"},
        {-1234.5678, "-1234,5678"},
        {32767.0, "32767"},
        {100000.0, "100000"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatReal(value, kGerman), text) << value;
    }
}

TEST(FormatReal, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(FormatReal(11.1, Separators{".", ","}), "11.1");
    EXPECT_EQ(FormatReal(1234.5, Separators{"\xD9\xAB", "\xD9\xAC"}),
              "1234\xD9\xAB"
              "5");
}

TEST(FormatReal, ExtremeMagnitudesUseAnExponent) {
    EXPECT_EQ(FormatReal(1e15, kGerman), "1E+15");
    EXPECT_EQ(FormatReal(9999999999999999.0, kGerman), "1E+16");
    EXPECT_EQ(FormatReal(-1.5e20, kGerman), "-1,5E+20");
    EXPECT_EQ(FormatReal(0.00001, kGerman), "1E-05");
    EXPECT_EQ(FormatReal(1.25e-300, kGerman), "1,25E-300");
    EXPECT_EQ(FormatReal(std::numeric_limits<double>::max(), kGerman), "1,79769313486232E+308");
}

// What the computation relies on: every written number reads back as the
// value rounded to 15 significant digits.
TEST(FormatReal, ReadsBackUnderBothSeparatorPairs) {
    const double values[] = {11.100000000000001, 1.0 / 3.0, 1e15, 1e-5, -2.5e-310, 8.4, 1e308,
                             123456.789,         0.000123};
    for (const Separators& separators : {kGerman, Separators{".", ","}}) {
        for (const double value : values) {
            const std::string text = FormatReal(value, separators);
            const double back = ParseReal(text, separators);
            EXPECT_EQ(FormatReal(back, separators), text) << text;
            EXPECT_NEAR(back, value, std::abs(value) * 1e-14) << text;
        }
    }
}

TEST(FormatInteger, PlainDigitsNoGrouping) {
    EXPECT_EQ(FormatInteger(0), "0");
    EXPECT_EQ(FormatInteger(24667), "24667");
    EXPECT_EQ(FormatInteger(-32768), "-32768");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

template <typename Round>
auto Rounded(Round round, double value) -> std::optional<decltype(round(value))> {
    try {
        return round(value);
    } catch (const InputError&) {
        return std::nullopt;
    }
}

TEST(RoundInt, HalfToEvenWithinRange) {
    struct Case {
        double value = 0.0;
        std::optional<std::int16_t> int16;
        std::optional<std::int32_t> int32;
    };
    const Case cases[] = {
        {94.5, 94, 94},
        {95.5, 96, 96},
        {-2.5, -2, -2},
        {-3.5, -4, -4},
        {0.49999999999999994, 0, 0},
        {2.5000000000000004, 3, 3},
        {32767.4, 32767, 32767},
        {32767.5, std::nullopt, 32768},
        {-32768.5, -32768, -32768},
        {-32768.6, std::nullopt, -32769},
        {2147483647.4, std::nullopt, 2147483647},
        {2147483647.5, std::nullopt, std::nullopt},
        {-2147483648.5, std::nullopt, -2147483647 - 1},
        {1e300, std::nullopt, std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Rounded(RoundInt16, c.value), c.int16) << c.value;
        EXPECT_EQ(Rounded(RoundInt32, c.value), c.int32) << c.value;
    }
}

}  // namespace
}  // namespace brennquist
