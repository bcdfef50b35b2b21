#include "propeller.h"

namespace brennquist {

const std::array<std::int16_t, kPropellerCount> propLimits{
    2844, 3109, 3155, 3305, 3254, 3420, 3500, 3837, 4100, 4435, 4581,  5100,
    5150, 5156, 5500, 6030, 6150, 6400, 6600, 7900, 8100, 8800, 10100,
};

const std::array<std::string_view, kPropellerCount> propSizes{
    "17x13", "17x11", "18x11", "16x13", "15x13", "17x9",     "16x10", "14x10",
    "14x9",  "14x8",  "13x11", "12x9",  "13x8",  "12,5x7,5", "12x8",  "12x6,5",
    "11x8",  "11x7",  "10x8",  "10x6",  "9,5x5", "9x5",      "8x5",
};

std::string LookupPropeller(std::int32_t n100) {
    // The last limit never takes part: the scan stops one short of it and
    // falls through to the last size.
    const auto last = static_cast<std::int16_t>(propLimits.size() - 1);
    for (std::int16_t index = 0; index < last; ++index) {
        if (propLimits[index] > n100) {
            return std::string(propSizes[index]);
        }
    }
    return std::string(propSizes[last]);
}

}  // namespace brennquist
