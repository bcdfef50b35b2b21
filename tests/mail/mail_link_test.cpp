// The inquiry link, byte for byte.
#include "mail/mail_link.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/input_set.h"
#include "engine/vendor.h"

namespace brennquist {
namespace {

const std::string kAddress(kVendorMailTo);

TEST(MailLinkTest, DesignTextsUnderGermanDate) {
    EXPECT_EQ(ComposeMailLink(InputSet{}, "07.12.2026"),
              kAddress +
                  "?Subject=Anfrage Akkukonfiguration 07.12.2026&Body=Anfrage\n\v\r"
                  "Zellendaten: Kapazitaet=350 Dauerstrom=5 Gewicht=9,8\n\v\r"
                  "Schaltung: Anz.Zellen Reihe=1 Anz.Zellen Parallel=1\n\v\r");
}

TEST(MailLinkTest, AddressIsAMailtoLinkOfAnExampleDomain) {
    EXPECT_TRUE(kAddress.starts_with("mailto:"));
    EXPECT_TRUE(kAddress.ends_with("@example.com"));
    EXPECT_TRUE(ComposeMailLink(InputSet{}, "x").starts_with(kAddress + "?Subject="));
}

TEST(MailLinkTest, EndsWithTheThirdLineBreakAndNothingAfterIt) {
    const std::string link = ComposeMailLink(InputSet{}, "07.12.2026");
    EXPECT_TRUE(link.ends_with("Parallel=1\n\v\r"));
    EXPECT_EQ(link.find("\r\n"), std::string::npos);
    std::size_t breaks = 0;
    for (std::size_t at = link.find("\n\v\r"); at != std::string::npos;
         at = link.find("\n\v\r", at + 1)) {
        ++breaks;
    }
    EXPECT_EQ(breaks, 3U);
}

TEST(MailLinkTest, DateTextGoesIntoTheSubjectUnchanged) {
    const std::string before = ComposeMailLink(InputSet{}, "07.12.2026");
    const std::string after = ComposeMailLink(InputSet{}, "08.12.2026");
    EXPECT_NE(before, after);
    EXPECT_NE(after.find("?Subject=Anfrage Akkukonfiguration 08.12.2026&Body="), std::string::npos);
    EXPECT_EQ(ComposeMailLink(InputSet{}, "07.12.2026"), before);
    EXPECT_NE(ComposeMailLink(InputSet{}, "12/7/2026")
                  .find("Akkukonfiguration 12/7/2026&Body=Anfrage\n\v\r"),
              std::string::npos);
}

// The five texts as typed, and the body they must give.
struct BodyCase {
    const char* name;
    InputSet inputs;
    const char* body;
};

void PrintTo(const BodyCase& c, std::ostream* out) {
    *out << c.name;
}

InputSet With(const char* k, const char* i, const char* g, const char* reihe, const char* par) {
    InputSet inputs;
    inputs.txtK = k;
    inputs.txtI = i;
    inputs.txtg = g;
    inputs.txtReihe = reihe;
    inputs.txtPar = par;
    return inputs;
}

class MailLinkBodyTest : public testing::TestWithParam<BodyCase> {};

TEST_P(MailLinkBodyTest, InputTextsGoInExactlyAsTyped) {
    const BodyCase& c = GetParam();
    EXPECT_EQ(
        ComposeMailLink(c.inputs, "07.12.2026"),
        kAddress + "?Subject=Anfrage Akkukonfiguration 07.12.2026&Body=Anfrage\n\v\r" + c.body);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MailLinkBodyTest,
    testing::Values(
        BodyCase{"EmptyCapacity", With("", "5", "9,8", "1", "1"),
                 "Zellendaten: Kapazitaet= Dauerstrom=5 Gewicht=9,8\n\v\r"
                 "Schaltung: Anz.Zellen Reihe=1 Anz.Zellen Parallel=1\n\v\r"},
        BodyCase{"AllEmpty", With("", "", "", "", ""),
                 "Zellendaten: Kapazitaet= Dauerstrom= Gewicht=\n\v\r"
                 "Schaltung: Anz.Zellen Reihe= Anz.Zellen Parallel=\n\v\r"},
        BodyCase{"UrlSpecials", With("1&Body=x", "2?a=b", "50%", "%20", "#1"),
                 "Zellendaten: Kapazitaet=1&Body=x Dauerstrom=2?a=b Gewicht=50%\n\v\r"
                 "Schaltung: Anz.Zellen Reihe=%20 Anz.Zellen Parallel=#1\n\v\r"},
        BodyCase{"Blanks", With(" 350", "5 ", "9, 8", "  ", "1 1"),
                 "Zellendaten: Kapazitaet= 350 Dauerstrom=5  Gewicht=9, 8\n\v\r"
                 "Schaltung: Anz.Zellen Reihe=   Anz.Zellen Parallel=1 1\n\v\r"},
        BodyCase{"Umlauts", With("Größe", "Ä", "ü€", "ß", "Ö"),
                 "Zellendaten: Kapazitaet=Größe Dauerstrom=Ä Gewicht=ü€\n\v\r"
                 "Schaltung: Anz.Zellen Reihe=ß Anz.Zellen Parallel=Ö\n\v\r"},
        BodyCase{"ShellText", With("$(touch x)", "\"; touch x; \"", "`id`", "'", "\\"),
                 "Zellendaten: Kapazitaet=$(touch x) Dauerstrom=\"; touch x; \" Gewicht=`id`\n\v\r"
                 "Schaltung: Anz.Zellen Reihe=' Anz.Zellen Parallel=\\\n\v\r"},
        BodyCase{"LargeNumbers", With("1.000.000", "-5", "1e3", "32767", "40000"),
                 "Zellendaten: Kapazitaet=1.000.000 Dauerstrom=-5 Gewicht=1e3\n\v\r"
                 "Schaltung: Anz.Zellen Reihe=32767 Anz.Zellen Parallel=40000\n\v\r"}),
    [](const testing::TestParamInfo<BodyCase>& info) { return std::string(info.param.name); });

TEST(MailLinkTest, IgnoresCellTypeAndMotorInputs) {
    InputSet others;
    others.cmbCellSelect = "NiMH";
    others.txtIL = "IL-text";
    others.txtEta = "Eta-text";
    others.txtnV = "nV-text";
    const std::string link = ComposeMailLink(others, "07.12.2026");
    EXPECT_EQ(link, ComposeMailLink(InputSet{}, "07.12.2026"));
    for (const char* text : {"NiMH", "IL-text", "Eta-text", "nV-text"}) {
        EXPECT_EQ(link.find(text), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace brennquist
