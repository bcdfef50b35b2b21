#include "storage/code_page_1252.h"

#include <gtest/gtest.h>

#include <string>

namespace brennquist {
namespace {

struct EncodeCase {
    const char* name;
    std::string utf8;
    std::string bytes;
};

void PrintTo(const EncodeCase& encode, std::ostream* out) {
    *out << encode.name;
}

class EncodeWindows1252Test : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeWindows1252Test, WritesTheCodePageBytes) {
    EXPECT_EQ(EncodeWindows1252(GetParam().utf8), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeWindows1252Test,
    ::testing::Values(EncodeCase{"Empty", "", ""},
                      EncodeCase{"Ascii", "Lithium Polymer/Ionen 9,8 &",
                                 "Lithium Polymer/Ionen 9,8 &"},
                      EncodeCase{"Umlauts", "Größe ÄÖÜß",
                                 "Gr\xF6\xDF"
                                 "e \xC4\xD6\xDC\xDF"},
                      EncodeCase{"Euro", "5 €", "5 \x80"},
                      EncodeCase{"QuotesAndDashes", "„a“ – b — ‚c‘",
                                 "\x84"
                                 "a\x93 \x96 b \x97 \x82"
                                 "c\x91"},
                      EncodeCase{"LastOfTheHighRange", "Ÿž™", "\x9F\x9E\x99"},
                      EncodeCase{"NoBreakSpaceAndYDiaeresis", "\u00A0ÿ", "\xA0\xFF"},
                      EncodeCase{"UndefinedBytesKeptAsControls", "\u0081\u008D\u008F\u0090\u009D",
                                 "\x81\x8D\x8F\x90\x9D"},
                      EncodeCase{"OtherC1ControlHasNoByte", "a\u0080b\u009Fc", "a?b?c"},
                      EncodeCase{"CharacterOutsideIsOneQuestionMark", "Zelle 漢字", "Zelle ??"},
                      EncodeCase{"CharacterOutsideThePlaneIsOneQuestionMark", "x😀y", "x?y"},
                      EncodeCase{"LatinExtendedWithoutBestFit", "ā", "?"},
                      EncodeCase{"LoneInvalidBytes",
                                 "a\xFF"
                                 "b\x80"
                                 "c",
                                 "a?b?c"},
                      EncodeCase{"TruncatedSequenceIsOneQuestionMark",
                                 "\xE2\x82"
                                 "A",
                                 "?A"},
                      EncodeCase{"TruncatedAtTheEnd", "A\xF0\x9F\x98", "A?"},
                      EncodeCase{"OverlongSlash", "\xC0\xAF", "??"},
                      EncodeCase{"OverlongThreeBytes", "\xE0\x80\xAF", "???"},
                      EncodeCase{"EncodedSurrogate", "\xED\xA0\x80", "???"},
                      EncodeCase{"AboveTheLastCodePoint", "\xF4\x90\x80\x80", "????"},
                      EncodeCase{"ControlCharactersPassUnchanged", std::string("\t\r\n\0x", 5),
                                 std::string("\t\r\n\0x", 5)}),
    [](const auto& info) { return std::string(info.param.name); });

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string utf8;
};

void PrintTo(const DecodeCase& decode, std::ostream* out) {
    *out << decode.name;
}

class DecodeWindows1252Test : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeWindows1252Test, ReadsTheCodePageBytes) {
    EXPECT_EQ(DecodeWindows1252(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeWindows1252Test,
    ::testing::Values(DecodeCase{"Empty", "", ""}, DecodeCase{"Ascii", "NiMH 9,8", "NiMH 9,8"},
                      DecodeCase{"UmlautAndEuro", "Zell\xE4 \x80", "Zellä €"},
                      DecodeCase{"Quotes",
                                 "\x84"
                                 "x\x93",
                                 "„x“"},
                      DecodeCase{"Undefined0x81", "\x81", "\u0081"},
                      DecodeCase{"Undefined0x9D", "\x9D", "\u009D"},
                      DecodeCase{"HighestByte", "\xFF", "ÿ"},
                      DecodeCase{"ZeroByte", std::string("\0", 1), std::string("\0", 1)}),
    [](const auto& info) { return std::string(info.param.name); });

// Every byte means one character, and that character is written back as the
// same byte, so any file read and saved again keeps its bytes.
TEST(Windows1252RoundTrip, EveryByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::string utf8 = DecodeWindows1252(all);
    EXPECT_EQ(EncodeWindows1252(utf8), all);
}

}  // namespace
}  // namespace brennquist
