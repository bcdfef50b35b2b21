#pragma once

#include <string>

namespace brennquist {

// The sixteen display texts the computation writes, each named after the
// control that shows it. The defaults are the captions before the first run.
struct ResultSet {
    std::string lblMessage = " ";
    std::string lblU = "0";
    std::string lblI = "0";
    std::string lblK = "0";
    std::string lblg = "0";
    std::string lblz = "0";
    std::string lblt = "0";
    std::string lblImot = "Nennstrom [A] :";
    std::string lblEta = "Wirkungsgrad [%]";
    std::string FrameMotor = "Motordaten";
    std::string lbllbln = "Drehzahl[1/min] bei [V] :";
    std::string lbln = "0";
    std::string lbllblPW = "Wellenleistung[W] bei [V] :";
    std::string lblPW = "0";
    std::string lbln100 = "0";
    std::string lblLuftS = "0";
};

}  // namespace brennquist
