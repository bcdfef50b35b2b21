#pragma once

#include "input_set.h"
#include "result_set.h"
#include "separators.h"

namespace brennquist {

// Runs the eighteen steps on `results` in place. Returns false on the first
// InputError; fields written before it keep their new texts, later ones keep
// what they held.
bool ComputeResults(const InputSet& inputs, ResultSet& results, const Separators& separators);

}  // namespace brennquist
