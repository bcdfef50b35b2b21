// The page content, drawn on a page that records every call.
#include "report/print_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/vendor.h"
#include "report/print_date.h"
#include "tests/report/recording_page.h"
#include "tests/report/report_samples.h"

namespace brennquist {
namespace {

using testing::DesignTexts;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::RecordingPage;

const std::string kDashes(95, '-');

struct Transcript {
    std::vector<std::string> calls;
    std::vector<RecordingPage::Line> lines;
};

Transcript Printed(const ReportTexts& texts) {
    RecordingPage page;
    PrintReport(page, texts);
    return {page.calls, page.lines};
}

std::vector<std::string> PrintedTexts(const ReportTexts& texts) {
    std::vector<std::string> result;
    for (const auto& line : Printed(texts).lines) {
        result.push_back(line.text);
    }
    return result;
}

TEST(PrintReport, DesignInputsGiveTheFullCallSequence) {
    const std::vector<std::string> expected{
        "SetUnitMillimetres",
        "SetFontName(Arial)",
        "SetFontSize(16)",
        "SetY(20)",
        "SetX(20)",
        "SetBold(on)",
        "PrintLine(Brennquist und Luftschraubenberechnung)",
        "PrintLine(" + kDashes + ")",
        "SetBold(off)",
        "SetFontSize(12)",
        "GetY",
        "SetY(40)",  // two 5 mm lines below 20, plus 10
        "SetX(20)",
        "PrintLine(Akkutyp: Lithium Polymer/Ionen\r\n)",
        "SetX(20)",
        "SetBold(on)",
        "PrintLine(" + kDashes + ")",
        "SetX(20)",
        "PrintLine(Eingabe Zellendaten: )",
        "SetBold(off)",
        "SetX(20)",
        "PrintLine(Kapazität pro Zelle: 350 mAh)",
        "SetX(20)",
        "PrintLine(Dauerstrom pro Zelle: 5 A)",
        "SetX(20)",
        "PrintLine(Gewicht pro Zelle: 9,8 g\r\n)",
        "SetX(20)",
        "SetBold(on)",
        "PrintLine(" + kDashes + ")",
        "SetX(20)",
        "PrintLine(Eingabe Schaltung: )",
        "SetBold(off)",
        "SetX(20)",
        "PrintLine(Anzahl der Zellen in Reihe: 1)",
        "SetX(20)",
        "PrintLine(Anzahl der Zellen parallel: 1\r\n)",
        "SetX(20)",
        "SetBold(on)",
        "PrintLine(" + kDashes + ")",
        "SetX(20)",
        "PrintLine(Eingabedaten Motordaten: )",
        "SetBold(off)",
        "SetX(20)",
        "PrintLine(Nennstrom (Dauer): 5 A)",
        "SetX(20)",
        "PrintLine(Wirkungsgrad : 80 %)",
        "SetX(20)",
        "PrintLine(Drehzahl : 1000 [1/Vmin])",
        "SetX(20)",
        "SetBold(on)",
        "PrintLine(" + kDashes + ")",
        "SetX(20)",
        "PrintLine(Daten des Akkupacks: )",
        "SetBold(off)",
        "SetX(20)",
        "PrintLine(Nennspannung: 3,7 V)",
        "SetX(20)",
        "PrintLine(Dauerstrom: 5 A)",
        "SetX(20)",
        "PrintLine(Kapazität: 350 mAh)",
        "SetX(20)",
        "PrintLine(Gewicht: 9,8 g)",
        "SetX(20)",
        "SetBold(on)",
        "PrintLine(" + kDashes + ")",
        "SetX(20)",
        "PrintLine(Daten des Motors und der Luftschraube: )",
        "SetBold(off)",
        "SetX(20)",
        "PrintLine(Drehzahl[1/min] bei 3,7V: 3700)",
        "SetX(20)",
        "PrintLine(Wellenleistung[W] bei 3,7V: 15)",
        "SetX(20)",
        "PrintLine(Drehzahl bei 100W (n100-Wert): 24667)",
        "SetX(20)",
        "PrintLine(empfohlene Luftschraube: 8x5)",
        "SetX(20)",
        "PrintLine(" + kDashes + ")",
        "SetFontSize(10)",
        "SetX(20)",
        "PrintLine(" + std::string(kMakerNotice) + "          Druckdatum: 05.03.2027)",
        "EndDocument",
    };
    EXPECT_THAT(Printed(DesignTexts()).calls, ElementsAreArray(expected));
}

TEST(PrintReport, ExactlyThreeRowsEndWithALineBreak) {
    std::vector<std::string> broken;
    for (const std::string& text : PrintedTexts(DesignTexts())) {
        const auto breakAt = text.find_first_of("\r\n");
        if (breakAt != std::string::npos) {
            EXPECT_EQ(breakAt, text.size() - 2) << "a line break inside: " << text;
            broken.push_back(text);
        }
    }
    EXPECT_THAT(broken,
                ElementsAre("Akkutyp: Lithium Polymer/Ionen\r\n", "Gewicht pro Zelle: 9,8 g\r\n",
                            "Anzahl der Zellen parallel: 1\r\n"));
}

TEST(PrintReport, SeparatorsStartAtTheirEdgeInTheirSizeAndWeight) {
    struct Style {
        double x;
        int points;
        bool bold;
        bool operator==(const Style&) const = default;
    };
    std::vector<Style> separators;
    for (const auto& line : Printed(DesignTexts()).lines) {
        if (line.text == kDashes) {
            separators.push_back({line.x, line.points, line.bold});
        }
    }
    const Style body{20, 12, true};
    EXPECT_THAT(separators, ElementsAre(Style{0, 16, true}, body, body, body, body, body,
                                        Style{20, 12, false}));
}

// One field changed from the design inputs, and the row it shows up in.
struct FieldCase {
    const char* name;
    std::function<void(ReportTexts&)> change;
    std::string expectedRow;
};

void PrintTo(const FieldCase& field, std::ostream* out) {
    *out << field.name;
}

class PrintReportField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(PrintReportField, AppearsVerbatimBetweenLabelAndUnit) {
    ReportTexts texts = DesignTexts();
    GetParam().change(texts);
    const std::vector<std::string> printed = PrintedTexts(texts);
    EXPECT_EQ(printed.size(), 31U);
    EXPECT_THAT(printed, ::testing::Contains(GetParam().expectedRow));
}

INSTANTIATE_TEST_SUITE_P(
    EmptyAndOddTexts, PrintReportField,
    ::testing::Values(
        FieldCase{"EmptyCapacity", [](ReportTexts& t) { t.inputs.txtK.clear(); },
                  "Kapazität pro Zelle:  mAh"},
        FieldCase{"EmptySeriesCount", [](ReportTexts& t) { t.inputs.txtReihe.clear(); },
                  "Anzahl der Zellen in Reihe: "},
        FieldCase{"EmptyCellType", [](ReportTexts& t) { t.inputs.cmbCellSelect.clear(); },
                  "Akkutyp: \r\n"},
        FieldCase{"TypedCellType", [](ReportTexts& t) { t.inputs.cmbCellSelect = "LiFePO4"; },
                  "Akkutyp: LiFePO4\r\n"},
        FieldCase{"EmptyWeight", [](ReportTexts& t) { t.inputs.txtg.clear(); },
                  "Gewicht pro Zelle:  g\r\n"},
        FieldCase{"EmptyParallelCount", [](ReportTexts& t) { t.inputs.txtPar.clear(); },
                  "Anzahl der Zellen parallel: \r\n"},
        FieldCase{"BlanksKept", [](ReportTexts& t) { t.inputs.txtI = "  5 "; },
                  "Dauerstrom pro Zelle:   5  A"},
        FieldCase{"NotANumber", [](ReportTexts& t) { t.inputs.txtIL = "abc"; },
                  "Nennstrom (Dauer): abc A"},
        FieldCase{"GroupedNumber", [](ReportTexts& t) { t.inputs.txtnV = "1.000,50"; },
                  "Drehzahl : 1.000,50 [1/Vmin]"},
        FieldCase{"EmptyEfficiency", [](ReportTexts& t) { t.inputs.txtEta.clear(); },
                  "Wirkungsgrad :  %"},
        FieldCase{"StaleVoltage", [](ReportTexts& t) { t.results.lblU = "11,1"; },
                  "Nennspannung: 11,1 V"},
        FieldCase{"PackCurrent", [](ReportTexts& t) { t.results.lblI = "10"; }, "Dauerstrom: 10 A"},
        FieldCase{"PackCapacity", [](ReportTexts& t) { t.results.lblK = "700"; },
                  "Kapazität: 700 mAh"},
        FieldCase{"PackWeight", [](ReportTexts& t) { t.results.lblg = "19,6"; }, "Gewicht: 19,6 g"},
        FieldCase{"InitialSpeedCaption",
                  [](ReportTexts& t) { t.results.lbllbln = ResultSet{}.lbllbln; },
                  "Drehzahl[1/min] bei [V] :: 3700"},
        FieldCase{"InitialPowerCaption",
                  [](ReportTexts& t) { t.results.lbllblPW = ResultSet{}.lbllblPW; },
                  "Wellenleistung[W] bei [V] :: 15"},
        FieldCase{"N100", [](ReportTexts& t) { t.results.lbln100 = "3254"; },
                  "Drehzahl bei 100W (n100-Wert): 3254"},
        FieldCase{"PropellerAsShown", [](ReportTexts& t) { t.results.lblLuftS = "12x6"; },
                  "empfohlene Luftschraube: 12x6"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintReport, AllFieldsEmptyStillGivesThePage) {
    ReportTexts texts;
    texts.inputs = InputSet{"", "", "", "", "", "", "", "", ""};
    const std::vector<std::string> printed = PrintedTexts(texts);
    ASSERT_EQ(printed.size(), 31U);
    EXPECT_EQ(printed[2], "Akkutyp: \r\n");
    EXPECT_EQ(printed[5], "Kapazität pro Zelle:  mAh");
    EXPECT_EQ(printed[10], "Anzahl der Zellen in Reihe: ");
}

TEST(PrintReport, NotPrintedResultsStayOffThePage) {
    ReportTexts texts = DesignTexts();
    texts.results.lblz = "ZELLENZAHL";
    texts.results.lblt = "LAUFZEIT";
    texts.results.lblMessage = "WARNUNG";
    texts.results.lblImot = "NENNSTROM";
    texts.results.lblEta = "WIRKUNGSGRAD";
    texts.results.FrameMotor = "MOTORDATEN";
    for (const std::string& text : PrintedTexts(texts)) {
        for (const char* hidden :
             {"ZELLENZAHL", "LAUFZEIT", "WARNUNG", "NENNSTROM", "WIRKUNGSGRAD", "MOTORDATEN"}) {
            EXPECT_EQ(text.find(hidden), std::string::npos) << text;
        }
    }
}

struct DateCase {
    int year;
    unsigned month;
    unsigned day;
    const char* expected;
};

void PrintTo(const DateCase& date, std::ostream* out) {
    *out << date.expected;
}

class PrintDateFormat : public ::testing::TestWithParam<DateCase> {};

TEST_P(PrintDateFormat, TwoDigitDayAndMonthFourDigitYear) {
    const auto& [year, month, day, expected] = GetParam();
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                           std::chrono::day{day}};
    EXPECT_EQ(FormatPrintDate(date), expected);

    ReportTexts texts = DesignTexts();
    texts.printDate = date;
    EXPECT_EQ(PrintedTexts(texts).back(),
              std::string(kMakerNotice) + "          Druckdatum: " + expected);
}

INSTANTIATE_TEST_SUITE_P(Dates, PrintDateFormat,
                         ::testing::Values(DateCase{2027, 3, 5, "05.03.2027"},
                                           DateCase{2026, 12, 31, "31.12.2026"},
                                           DateCase{2000, 1, 1, "01.01.2000"},
                                           DateCase{2028, 2, 29, "29.02.2028"},
                                           DateCase{999, 10, 9, "09.10.0999"}),
                         [](const auto& info) { return "Year" + std::to_string(info.param.year); });

}  // namespace
}  // namespace brennquist
