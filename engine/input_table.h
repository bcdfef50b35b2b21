#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "engine/input_set.h"

namespace brennquist {

// One of the nine inputs: the window control that holds it and its text in
// an InputSet.
struct InputEntry {
    std::string_view control;  // the control's name, its objectName in the window
    std::string InputSet::*text;
};

// The nine inputs in the order of akku.dat's lines and of the report's record:
// the cell-type list first, then the eight text fields. Every place that
// lists the inputs takes them from here.
inline constexpr std::array<InputEntry, 9> kInputs{{
    {"cmbCellSelect", &InputSet::cmbCellSelect},
    {"txtK", &InputSet::txtK},
    {"txtI", &InputSet::txtI},
    {"txtg", &InputSet::txtg},
    {"txtReihe", &InputSet::txtReihe},
    {"txtPar", &InputSet::txtPar},
    {"txtIL", &InputSet::txtIL},
    {"txtEta", &InputSet::txtEta},
    {"txtnV", &InputSet::txtnV},
}};

// The inputs typed into text fields: all but the cell type.
inline constexpr std::span<const InputEntry> kTextInputs = std::span(kInputs).subspan<1>();

}  // namespace brennquist
