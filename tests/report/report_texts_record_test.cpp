// The report's texts survive the trip to the print helper byte for byte, and
// a damaged record is refused rather than printed half.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "report/report_texts_record.h"

namespace brennquist {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

ReportTexts TextsWith(const std::string& series, const std::string& message) {
    ReportTexts texts;
    texts.inputs.txtReihe = series;
    texts.inputs.txtg = "9,8";
    texts.results.lblMessage = message;
    texts.results.lbllbln = "Drehzahl[1/min] bei 3,7V";
    texts.printDate = year{2026} / month{12} / day{8};
    return texts;
}

void ExpectSame(const ReportTexts& got, const ReportTexts& sent) {
    EXPECT_EQ(got.inputs.cmbCellSelect, sent.inputs.cmbCellSelect);
    EXPECT_EQ(got.inputs.txtReihe, sent.inputs.txtReihe);
    EXPECT_EQ(got.inputs.txtg, sent.inputs.txtg);
    EXPECT_EQ(got.inputs.txtnV, sent.inputs.txtnV);
    EXPECT_EQ(got.results.lblMessage, sent.results.lblMessage);
    EXPECT_EQ(got.results.lbllbln, sent.results.lbllbln);
    EXPECT_EQ(got.results.lblLuftS, sent.results.lblLuftS);
    EXPECT_EQ(got.printDate, sent.printDate);
}

class RecordRoundTripTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RecordRoundTripTest, EveryTextComesBackAsItWent) {
    const ReportTexts sent = TextsWith(GetParam(), "Akku zu schwach! " + GetParam());
    const std::optional<ReportTexts> got = ReportTextsFromRecord(RecordOf(sent));
    ASSERT_TRUE(got.has_value());
    ExpectSame(*got, sent);
}

INSTANTIATE_TEST_SUITE_P(Texts, RecordRoundTripTest,
                         ::testing::Values("", "4", "35\v0", "1\n2", "1\r\n", "12 3\n",
                                           "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F",
                                           std::string("a\0b", 3), std::string(5000, '9')));

TEST(RecordTest, EveryCutOffRecordIsRefused) {
    const std::string record = RecordOf(TextsWith("4\n5", " "));
    for (std::size_t length = 0; length < record.size(); ++length) {
        EXPECT_FALSE(ReportTextsFromRecord(record.substr(0, length)).has_value()) << length;
    }
}

struct DamagedRecord {
    const char* what;
    std::string from;
    std::string to;
};

class DamagedRecordTest : public ::testing::TestWithParam<DamagedRecord> {};

TEST_P(DamagedRecordTest, IsRefused) {
    std::string record = RecordOf(TextsWith("4", " "));
    const std::size_t at = record.find(GetParam().from);
    ASSERT_NE(at, std::string::npos);
    record.replace(at, GetParam().from.size(), GetParam().to);
    EXPECT_FALSE(ReportTextsFromRecord(record).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedRecordTest,
    ::testing::Values(DamagedRecord{"another format", "report 1", "report 2"},
                      DamagedRecord{"a length too long", "1 4\n", "2 4\n"},
                      DamagedRecord{"a length without a blank", "1 4\n", "14\n"},
                      DamagedRecord{"a negative length", "1 4\n", "-1 4\n"},
                      DamagedRecord{"bytes after the end", "1 8\n", "1 8\nx"},
                      DamagedRecord{"month 13", "2 12\n", "2 13\n"},
                      DamagedRecord{"day 31 of a 30-day month", "2 12\n1 8\n", "2 11\n2 31\n"},
                      DamagedRecord{"a year that is no number", "4 2026\n", "4 20x6\n"}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.what)) {
            name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
        }
        return name;
    });

}  // namespace
}  // namespace brennquist
