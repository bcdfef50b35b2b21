#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <string>

#include "engine/engine.h"

namespace brennquist {
namespace {

TEST(LookupPropeller, FirstLimitStrictlyAboveWins) {
    const std::pair<std::int32_t, std::string> cases[] = {
        {std::numeric_limits<std::int32_t>::min(), "17x13"},
        {-5, "17x13"},
        {0, "17x13"},
        {2843, "17x13"},
        {2844, "17x11"},  // equal to the limit: the scan goes on
        {3108, "17x11"},
        {3109, "18x11"},
        {3155, "16x13"},
        {3254, "16x13"},  // below 3305, which stands first
        {3300, "16x13"},
        {3305, "17x9"},
        {5000, "12x9"},
        {5150, "12,5x7,5"},
        {5155, "12,5x7,5"},
        {5156, "12x8"},
        {8799, "9x5"},
        {8800, "8x5"},
        {10099, "8x5"},
        {10100, "8x5"},
        {24667, "8x5"},
        {std::numeric_limits<std::int32_t>::max(), "8x5"},
    };
    for (const auto& [n100, size] : cases) {
        EXPECT_EQ(LookupPropeller(n100), size) << n100;
    }
}

TEST(LookupPropeller, FifteenByThirteenIsNeverRecommended) {
    std::set<std::string> seen;
    for (std::int32_t n100 = 2000; n100 <= 11000; ++n100) {
        seen.insert(LookupPropeller(n100));
    }
    EXPECT_EQ(seen.count("15x13"), 0U);
    EXPECT_EQ(seen.size(), kPropellerCount - 1);
}

}  // namespace
}  // namespace brennquist
