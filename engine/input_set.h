#pragma once

#include <string>

namespace brennquist {

// The nine inputs as the user typed them (UTF-8), in settings-file order.
// The defaults are the texts the window starts with.
struct InputSet {
    std::string cmbCellSelect = "Lithium Polymer/Ionen";
    std::string txtK = "350";
    std::string txtI = "5";
    std::string txtg = "9,8";
    std::string txtReihe = "1";
    std::string txtPar = "1";
    std::string txtIL = "5";
    std::string txtEta = "80";
    std::string txtnV = "1000";
};

}  // namespace brennquist
