#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace brennquist {
namespace {

const Separators kGerman{",", "."};

using Field = std::string ResultSet::*;
struct Expect {
    Field field;
    const char* name;
    std::string text;
};

#define FIELD(name) &ResultSet::name, #name  // NOLINT: names the field in failure messages

void ExpectFields(const ResultSet& results, const std::vector<Expect>& expected) {
    for (const Expect& e : expected) {
        EXPECT_EQ(results.*(e.field), e.text) << e.name;
    }
}

InputSet Inputs(std::string cell, std::string k, std::string i, std::string g, std::string reihe,
                std::string par, std::string il, std::string eta, std::string nv) {
    return InputSet{std::move(cell), std::move(k),  std::move(i),   std::move(g), std::move(reihe),
                    std::move(par),  std::move(il), std::move(eta), std::move(nv)};
}

InputSet NiMH() {
    return Inputs("NiMH", "3000", "10", "60", "10", "1", "15", "70", "900");
}

// A result set that already holds the texts of an earlier run, so that
// fields a failing run does not reach can be told apart.
ResultSet Earlier() {
    ResultSet earlier;
    for (Field f :
         {&ResultSet::lblMessage, &ResultSet::lblU, &ResultSet::lblI, &ResultSet::lblK,
          &ResultSet::lblg, &ResultSet::lblz, &ResultSet::lblt, &ResultSet::lblImot,
          &ResultSet::lblEta, &ResultSet::FrameMotor, &ResultSet::lbllbln, &ResultSet::lbln,
          &ResultSet::lbllblPW, &ResultSet::lblPW, &ResultSet::lbln100, &ResultSet::lblLuftS}) {
        earlier.*f = "earlier";
    }
    return earlier;
}

struct WorkedExample {
    const char* name;
    InputSet inputs;
    std::vector<Expect> expected;
};

void PrintTo(const WorkedExample& example, std::ostream* out) {
    *out << example.name;
}

class WorkedExamples : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, ShowTheReferenceResults) {
    ResultSet results = Earlier();
    ASSERT_TRUE(ComputeResults(GetParam().inputs, results, kGerman));
    ExpectFields(results, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, WorkedExamples,
    ::testing::Values(
        WorkedExample{"start_texts",
                      InputSet{},
                      {{FIELD(lblMessage), ""},
                       {FIELD(lblU), "3,7"},
                       {FIELD(lblI), "5"},
                       {FIELD(lblK), "350"},
                       {FIELD(lblg), "9,8"},
                       {FIELD(lblz), "1"},
                       {FIELD(lblt), "4"},
                       {FIELD(lblImot), "Nennstrom [A] bei 3,7V"},
                       {FIELD(lblEta), "Wirkungsgrad [%] bei 3,7V"},
                       {FIELD(FrameMotor), "Motordaten (Zellenzahl=3)"},
                       {FIELD(lbllbln), "Drehzahl[1/min] bei 3,7V"},
                       {FIELD(lbln), "3700"},
                       {FIELD(lbllblPW), "Wellenleistung[W] bei 3,7V"},
                       {FIELD(lblPW), "15"},
                       {FIELD(lbln100), "24667"},
                       {FIELD(lblLuftS), "8x5"}}},
        WorkedExample{
            "three_lipo",
            Inputs("Lithium Polymer/Ionen", "2000", "30", "50", "3", "1", "25", "80", "1000"),
            {{FIELD(lblU), "11,1"},
             {FIELD(lblI), "30"},
             {FIELD(lblK), "2000"},
             {FIELD(lblg), "150"},
             {FIELD(lblz), "3"},
             {FIELD(lblt), "5"},
             {FIELD(FrameMotor), "Motordaten (Zellenzahl=9)"},
             {FIELD(lbllbln), "Drehzahl[1/min] bei 11,1V"},
             {FIELD(lbln), "11100"},
             {FIELD(lblPW), "222"},
             {FIELD(lbln100), "5000"},
             {FIELD(lblLuftS), "12x9"},
             {FIELD(lblMessage), ""}}},
        // 6 x 3.7 is 22.200000000000003 in binary; only the displayed 22,2
        // gives 18.5 and so the even 18.
        WorkedExample{
            "six_lipo_reads_voltage_back",
            Inputs("Lithium Polymer/Ionen", "2000", "30", "50", "6", "1", "25", "80", "1000"),
            {{FIELD(lblU), "22,2"},
             {FIELD(FrameMotor), "Motordaten (Zellenzahl=18)"},
             {FIELD(lbln), "22200"},
             {FIELD(lblPW), "444"},
             {FIELD(lbln100), "5000"},
             {FIELD(lblLuftS), "12x9"}}},
        WorkedExample{"nicd_power_rounds_to_even",
                      Inputs("NiCd", "1700", "20", "50", "7", "1", "15", "75", "1500"),
                      {{FIELD(lblU), "8,4"},
                       {FIELD(lblt), "7"},
                       {FIELD(FrameMotor), "Motordaten (Zellenzahl=7)"},
                       {FIELD(lbln), "12600"},
                       {FIELD(lblPW), "94"},
                       {FIELD(lbln100), "13404"},
                       {FIELD(lblLuftS), "8x5"}}},
        WorkedExample{"nimh_warns",
                      NiMH(),
                      {{FIELD(lblU), "12"},
                       {FIELD(lblI), "10"},
                       {FIELD(lblt), "12"},
                       {FIELD(lblMessage), "Akkupack zu schwach ausgelegt!"},
                       {FIELD(lbln), "10800"},
                       {FIELD(lblPW), "126"},
                       {FIELD(lbln100), "8571"},
                       {FIELD(lblLuftS), "9x5"}}},
        WorkedExample{"nimh_no_parallel_cells",
                      Inputs("NiMH", "3000", "10", "60", "10", "0", "15", "70", "900"),
                      {{FIELD(lblI), "0"},
                       {FIELD(lblK), "0"},
                       {FIELD(lblg), "0"},
                       {FIELD(lblz), "0"},
                       {FIELD(lblt), "0"},
                       {FIELD(lblMessage), "Akkupack zu schwach ausgelegt!"},
                       {FIELD(lbln), "10800"},
                       {FIELD(lblPW), "126"},
                       {FIELD(lblLuftS), "9x5"}}},
        WorkedExample{"nimh_no_speed_constant",
                      Inputs("NiMH", "3000", "10", "60", "10", "1", "15", "70", "0"),
                      {{FIELD(lbln), "0"}, {FIELD(lbln100), "0"}, {FIELD(lblLuftS), "17x13"}}},
        WorkedExample{"equal_currents_give_no_warning",
                      Inputs("NiMH", "3000", "15", "60", "10", "1", "15", "70", "900"),
                      {{FIELD(lblI), "15"}, {FIELD(lblMessage), ""}}},
        WorkedExample{"blanks_grouping_and_exponent_are_read",
                      Inputs("NiCd", " 1.700 ", "2e1", "50", "7", "1", "15", "75", "1500"),
                      {{FIELD(lblK), "1700"}, {FIELD(lblI), "20"}, {FIELD(lblPW), "94"}}},
        WorkedExample{"negative_series_count",
                      Inputs("NiMH", "3000", "10", "60", "-10", "1", "15", "70", "900"),
                      {{FIELD(lblU), "-12"},
                       {FIELD(lblz), "-10"},
                       {FIELD(lblg), "-600"},
                       {FIELD(FrameMotor), "Motordaten (Zellenzahl=-10)"},
                       {FIELD(lbln), "-10800"},
                       {FIELD(lblPW), "-126"},
                       {FIELD(lbln100), "8571"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailingRun {
    const char* name;
    InputSet inputs;
    std::vector<Expect> written;   // new texts of the steps before the failure
    std::vector<Field> untouched;  // keep the earlier run's texts
};

void PrintTo(const FailingRun& run, std::ostream* out) {
    *out << run.name;
}

class FailingRuns : public ::testing::TestWithParam<FailingRun> {};

TEST_P(FailingRuns, KeepWhatWasWrittenAndLeaveTheRest) {
    ResultSet results = Earlier();
    EXPECT_FALSE(ComputeResults(GetParam().inputs, results, kGerman));
    ExpectFields(results, GetParam().written);
    for (const Field f : GetParam().untouched) {
        EXPECT_EQ(results.*f, "earlier");
    }
}

InputSet NiMHWith(std::string InputSet::*field, std::string text) {
    InputSet inputs = NiMH();
    inputs.*field = std::move(text);
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(
    Engine, FailingRuns,
    ::testing::Values(FailingRun{"lone_minus_in_series",
                                 NiMHWith(&InputSet::txtReihe, "-"),
                                 {{FIELD(lblMessage), ""}},
                                 {&ResultSet::lblU, &ResultSet::lblI, &ResultSet::lblLuftS}},
                      FailingRun{"empty_capacity",
                                 NiMHWith(&InputSet::txtK, ""),
                                 {{FIELD(lblU), "12"}, {FIELD(lblI), "10"}},
                                 {&ResultSet::lblK, &ResultSet::lblg, &ResultSet::lblLuftS}},
                      FailingRun{"rated_current_zero",
                                 NiMHWith(&InputSet::txtIL, "0"),
                                 {{FIELD(lblMessage), ""},
                                  {FIELD(lblU), "12"},
                                  {FIELD(lblI), "10"},
                                  {FIELD(lblK), "3000"},
                                  {FIELD(lblg), "600"},
                                  {FIELD(lblz), "10"}},
                                 {&ResultSet::lblt, &ResultSet::lblImot, &ResultSet::FrameMotor,
                                  &ResultSet::lbln, &ResultSet::lblLuftS}},
                      FailingRun{"efficiency_zero",
                                 NiMHWith(&InputSet::txtEta, "0"),
                                 {{FIELD(lblPW), "0"},
                                  {FIELD(lblMessage), "Akkupack zu schwach ausgelegt!"},
                                  {FIELD(lbln), "10800"}},
                                 {&ResultSet::lbln100, &ResultSet::lblLuftS}},
                      FailingRun{"speed_beyond_16_bits",
                                 Inputs("Lithium Polymer/Ionen", "2000", "30", "50", "3", "1", "25",
                                        "80", "3000"),
                                 {{FIELD(lbllbln), "Drehzahl[1/min] bei 11,1V"},
                                  {FIELD(FrameMotor), "Motordaten (Zellenzahl=9)"}},
                                 {&ResultSet::lbln, &ResultSet::lbllblPW, &ResultSet::lblPW,
                                  &ResultSet::lbln100, &ResultSet::lblLuftS}},
                      FailingRun{"unknown_cell_type",
                                 NiMHWith(&InputSet::cmbCellSelect, "nimh"),
                                 {{FIELD(lblU), "0"},
                                  {FIELD(lbln), "0"},
                                  {FIELD(lblPW), "0"},
                                  {FIELD(lbllblPW), "Wellenleistung[W] bei 0V"}},
                                 {&ResultSet::lbln100, &ResultSet::lblLuftS}},
                      FailingRun{
                          "capacity_product_beyond_32_bits",
                          Inputs("NiMH", "300000", "10", "60", "10", "30000", "15", "70", "900"),
                          {{FIELD(lblI), "300000"}},
                          {&ResultSet::lblK, &ResultSet::lblz}},
                      FailingRun{"cell_count_beyond_16_bits",
                                 Inputs("NiMH", "1", "10", "60", "200", "200", "15", "70", "900"),
                                 {{FIELD(lblK), "200"}},
                                 {&ResultSet::lblg, &ResultSet::lblz}},
                      FailingRun{"run_time_beyond_16_bits",
                                 NiMHWith(&InputSet::txtIL, "0,0001"),
                                 {{FIELD(lblz), "10"}},
                                 {&ResultSet::lblt, &ResultSet::lblImot}},
                      FailingRun{"weight_overflows_to_infinity",
                                 NiMHWith(&InputSet::txtg, "1e308"),
                                 {{FIELD(lblK), "3000"}},
                                 {&ResultSet::lblg, &ResultSet::lblz}},
                      FailingRun{"efficiency_overflows_to_infinity",
                                 NiMHWith(&InputSet::txtEta, "1e308"),
                                 {{FIELD(lbln), "10800"}},
                                 {&ResultSet::lblPW, &ResultSet::lbln100}},
                      FailingRun{"letters_in_speed_constant",
                                 NiMHWith(&InputSet::txtnV, "900 U/min"),
                                 {{FIELD(lbllbln), "Drehzahl[1/min] bei 12V"}},
                                 {&ResultSet::lbln, &ResultSet::lbllblPW}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputeResults, EnglishSeparatorsReadTheGermanStartWeightAsNinetyEight) {
    ResultSet results;
    ASSERT_TRUE(ComputeResults(InputSet{}, results, Separators{".", ","}));
    EXPECT_EQ(results.lblg, "98");
    EXPECT_EQ(results.lblU, "3.7");
    EXPECT_EQ(results.lbllbln, "Drehzahl[1/min] bei 3.7V");
}

TEST(ComputeResults, MultibyteSeparatorsTravelThroughTheReadBack) {
    const Separators arabic{"\xD9\xAB", "\xD9\xAC"};
    InputSet inputs = NiMH();
    inputs.cmbCellSelect = "Lithium Polymer/Ionen";
    inputs.txtReihe = "3";
    ResultSet results;
    ASSERT_TRUE(ComputeResults(inputs, results, arabic));
    EXPECT_EQ(results.lblU,
              "11\xD9\xAB"
              "1");
    EXPECT_EQ(results.FrameMotor, "Motordaten (Zellenzahl=9)");
    EXPECT_EQ(results.lbln, "9990");
}

TEST(ComputeResults, WarningIsClearedByTheNextRun) {
    ResultSet results;
    ASSERT_TRUE(ComputeResults(NiMH(), results, kGerman));
    ASSERT_EQ(results.lblMessage, "Akkupack zu schwach ausgelegt!");
    ASSERT_TRUE(ComputeResults(NiMHWith(&InputSet::txtIL, "10"), results, kGerman));
    EXPECT_EQ(results.lblMessage, "");
}

}  // namespace
}  // namespace brennquist
