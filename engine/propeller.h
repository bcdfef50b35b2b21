#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brennquist {

inline constexpr std::size_t kPropellerCount = 23;

// n100 limits and propeller sizes, parallel tables in their stored order.
// The limits are not ascending (3305 precedes 3254); the order is part of the
// recommendation and must never be sorted.
extern const std::array<std::int16_t, kPropellerCount> propLimits;
extern const std::array<std::string_view, kPropellerCount> propSizes;

// First size whose limit lies strictly above n100; "8x5" when none does.
std::string LookupPropeller(std::int32_t n100);

}  // namespace brennquist
