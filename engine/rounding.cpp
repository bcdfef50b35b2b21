#include "rounding.h"

#include <cmath>
#include <limits>

#include "input_error.h"

namespace brennquist {
namespace {

// Halves go to the even neighbour (94.5 -> 94, 95.5 -> 96), independent of the
// floating-point environment.
double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;  // exact for every finite double
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

template <typename Int>
Int RoundInto(double value) {
    if (!std::isfinite(value)) {
        throw InputError{};
    }
    const double rounded = RoundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw InputError{};
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::int16_t RoundInt16(double value) {
    return RoundInto<std::int16_t>(value);
}

std::int32_t RoundInt32(double value) {
    return RoundInto<std::int32_t>(value);
}

}  // namespace brennquist
