#pragma once

#include <array>
#include <string_view>

namespace brennquist {

// The entries of the cell-type list, in list order.
inline constexpr std::array<std::string_view, 3> kCellTypes{"Lithium Polymer/Ionen", "NiCd",
                                                            "NiMH"};

// Nominal voltage of one cell; exact, case-sensitive match, anything else is 0.
double CellVoltage(std::string_view cellType);

}  // namespace brennquist
