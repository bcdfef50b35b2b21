#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "engine/engine.h"

namespace brennquist {
namespace {

const Separators kGerman{",", "."};
const Separators kEnglish{".", ","};

// nullopt: the conversion throws InputError.
struct ParseCase {
    std::string text;
    std::optional<double> real;
    std::optional<std::int16_t> int16;
    std::optional<std::int32_t> int32;
};

template <typename Convert>
auto Attempt(Convert convert) -> std::optional<decltype(convert())> {
    try {
        return convert();
    } catch (const InputError&) {
        return std::nullopt;
    }
}

void ExpectParses(const ParseCase& c, const Separators& separators) {
    SCOPED_TRACE("text \"" + c.text + "\"");
    EXPECT_EQ(Attempt([&] { return ParseReal(c.text, separators); }), c.real);
    EXPECT_EQ(Attempt([&] { return ParseInt16(c.text, separators); }), c.int16);
    EXPECT_EQ(Attempt([&] { return ParseInt32(c.text, separators); }), c.int32);
}

constexpr auto kError = std::nullopt;

TEST(ParseNumbers, GermanSeparators) {
    const ParseCase cases[] = {
        {"", kError, kError, kError},
        {"   ", kError, kError, kError},
        {" 12 ", 12.0, 12, 12},
        {"\t7\t", 7.0, 7, 7},
        {"9,8", 9.8, 10, 10},
        {"9.8", 98.0, 98, 98},
        {"2,5", 2.5, 2, 2},
        {"3,5", 3.5, 4, 4},
        {"-2,5", -2.5, -2, -2},
        {"0,4", 0.4, 0, 0},
        {"1e3", 1000.0, 1000, 1000},
        {"1E+3", 1000.0, 1000, 1000},
        {"25e-1", 2.5, 2, 2},
        {"32767", 32767.0, 32767, 32767},
        {"32768", 32768.0, kError, 32768},
        {"-32768", -32768.0, -32768, -32768},
        {"-32769", -32769.0, kError, -32769},
        {"32767,5", 32767.5, kError, 32768},
        {"2147483647", 2147483647.0, kError, 2147483647},
        {"2147483648", 2147483648.0, kError, kError},
        {"-2147483648", -2147483648.0, kError, -2147483647 - 1},
        {"+5", 5.0, 5, 5},
        {"1.000", 1000.0, 1000, 1000},
        {"1.000,5", 1000.5, 1000, 1000},
        {",5", 0.5, 0, 0},
        {"5,", 5.0, 5, 5},
        {"abc", kError, kError, kError},
        {"12 V", kError, kError, kError},
        {"12V", kError, kError, kError},
        {"1,2,3", kError, kError, kError},
        {"-", kError, kError, kError},
        {"+", kError, kError, kError},
        {",", kError, kError, kError},
        {"1 2", kError, kError, kError},
        {".5", kError, kError, kError},  // grouping only between digits
        {"5.", kError, kError, kError},
        {"1..000", kError, kError, kError},
        {"1e", kError, kError, kError},
        {"1e+", kError, kError, kError},
        {"e5", kError, kError, kError},
        {"- 5", kError, kError, kError},
        {"--5", kError, kError, kError},
        {"0x10", kError, kError, kError},
        {"1e400", kError, kError, kError},
        {"-1e400", kError, kError, kError},
        {"1e-400", 0.0, 0, 0},
        {"0e99999999999999999999", 0.0, 0, 0},
        {"nan", kError, kError, kError},
        {"inf", kError, kError, kError},
    };
    for (const ParseCase& c : cases) {
        ExpectParses(c, kGerman);
    }
}

TEST(ParseNumbers, EnglishSeparators) {
    const ParseCase cases[] = {
        {"9,8", 98.0, 98, 98},
        {"9.8", 9.8, 10, 10},
        {"1,000.25", 1000.25, 1000, 1000},
        {"1.2.3", kError, kError, kError},
    };
    for (const ParseCase& c : cases) {
        ExpectParses(c, kEnglish);
    }
}

TEST(ParseNumbers, MultibyteGroupingSeparator) {
    const Separators swiss{".", "\xE2\x80\x99"};  // right single quotation mark
    const ParseCase cases[] = {
        {"1\xE2\x80\x99"
         "000.5",
         1000.5, 1000, 1000},
        {"12\xE2\x80\x99"
         "345\xE2\x80\x99"
         "678",
         12345678.0, kError, 12345678},
        {"\xE2\x80\x99"
         "1",
         kError, kError, kError},
        {"1\xE2\x80\x99", kError, kError, kError},
        {"1\xE2\x80", kError, kError, kError},  // a separator cut short
    };
    for (const ParseCase& c : cases) {
        ExpectParses(c, swiss);
    }
}

TEST(ParseNumbers, MultibyteDecimalSeparator) {
    const Separators arabic{"\xD9\xAB", "\xD9\xAC"};
    EXPECT_DOUBLE_EQ(ParseReal("3\xD9\xAB"
                               "5",
                               arabic),
                     3.5);
    EXPECT_DOUBLE_EQ(ParseReal("1\xD9\xAC"
                               "000\xD9\xAB"
                               "5",
                               arabic),
                     1000.5);
    EXPECT_THROW(ParseReal("3,5", arabic), InputError);
}

TEST(ParseNumbers, NegativeZeroKeepsItsSign) {
    EXPECT_TRUE(std::signbit(ParseReal("-0", kGerman)));
    EXPECT_EQ(ParseInt16("-0,4", kGerman), 0);
}

TEST(ParseNumbers, LongDigitRunsAreReadExactly) {
    EXPECT_DOUBLE_EQ(ParseReal(std::string(300, '1') + "e-300", kGerman), 0.11111111111111111);
    EXPECT_THROW(ParseReal(std::string(400, '9'), kGerman), InputError);
    EXPECT_THROW(ParseReal(std::string(400, '9') + "e-10", kGerman), InputError);
    EXPECT_DOUBLE_EQ(ParseReal("0," + std::string(400, '0') + "1e400", kGerman), 0.1);
}

TEST(CellVoltage, ExactCaseSensitiveMatch) {
    const std::pair<std::string, double> cases[] = {
        {"Lithium Polymer/Ionen", 3.7},
        {"NiCd", 1.2},
        {"NiMH", 1.2},
        {"nimh", 0.0},
        {"NiMH ", 0.0},
        {"", 0.0},
        {"Lithium", 0.0},
    };
    for (const auto& [text, volts] : cases) {
        EXPECT_EQ(CellVoltage(text), volts) << text;
    }
}

}  // namespace
}  // namespace brennquist
