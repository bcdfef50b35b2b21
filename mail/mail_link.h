#pragma once

#include <string>
#include <string_view>

#include "engine/input_set.h"

namespace brennquist {

// The "mailto:" link of the inquiry to the vendor: the order address, a
// subject with the date text, and a three-line body with the cell data and
// the circuit. Pieces are joined as they are; nothing is encoded or escaped,
// so the texts arrive in the mail program exactly as typed. Only txtK, txtI,
// txtg, txtReihe and txtPar are read from the inputs.
[[nodiscard]] std::string ComposeMailLink(const InputSet& inputs, std::string_view dateText);

}  // namespace brennquist
