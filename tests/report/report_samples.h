#pragma once

#include <chrono>

#include "report/report_texts.h"

namespace brennquist::testing {

// The window's texts right after start-up with the design inputs, and the
// 5th of March 2027 as the print date.
inline ReportTexts DesignTexts() {
    ReportTexts texts;
    texts.results.lblU = "3,7";
    texts.results.lblI = "5";
    texts.results.lblK = "350";
    texts.results.lblg = "9,8";
    texts.results.lblz = "1";
    texts.results.lblt = "4";
    texts.results.FrameMotor = "Motordaten (Zellenzahl=3)";
    texts.results.lbllbln = "Drehzahl[1/min] bei 3,7V";
    texts.results.lbln = "3700";
    texts.results.lbllblPW = "Wellenleistung[W] bei 3,7V";
    texts.results.lblPW = "15";
    texts.results.lbln100 = "24667";
    texts.results.lblLuftS = "8x5";
    texts.printDate = std::chrono::year_month_day{std::chrono::year{2027}, std::chrono::March,
                                                  std::chrono::day{5}};
    return texts;
}

}  // namespace brennquist::testing
