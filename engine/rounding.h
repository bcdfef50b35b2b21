#pragma once

#include <cstdint>

namespace brennquist {

// Round half to even; a value that is not finite or leaves the target range
// throws InputError. Nothing in the engine truncates.
std::int16_t RoundInt16(double value);
std::int32_t RoundInt32(double value);

}  // namespace brennquist
