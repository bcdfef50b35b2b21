#include "report/print_date.h"

#include <cstddef>

namespace brennquist {
namespace {

// Decimal digits, left-padded with zeros to at least `width`.
std::string ZeroPadded(const unsigned value, const std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

}  // namespace

std::string FormatPrintDate(const std::chrono::year_month_day date) {
    const int year = static_cast<int>(date.year());
    // A clock before year 0 is not a real case; its sign still shows.
    const std::string sign = year < 0 ? "-" : "";
    const auto magnitude = static_cast<unsigned>(year < 0 ? -year : year);
    return ZeroPadded(static_cast<unsigned>(date.day()), 2) + "." +
           ZeroPadded(static_cast<unsigned>(date.month()), 2) + "." + sign +
           ZeroPadded(magnitude, 4);
}

}  // namespace brennquist
