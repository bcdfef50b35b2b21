#pragma once

#include <string>
#include <string_view>

namespace brennquist {

// Turns a date format pattern (Qt's pattern letters, text in single quotes
// taken literally) into one that writes the year with four digits: a
// two-letter year field "yy" (or "yyy") becomes "yyyy"; a pattern that already
// has a four-digit year, or none at all, is returned unchanged.
[[nodiscard]] std::string FourDigitYearFormat(std::string_view format);

}  // namespace brennquist
