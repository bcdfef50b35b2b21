#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "separators.h"

namespace brennquist {

// Reads a number: blanks around it, optional sign, digits with grouping
// separators between them and at most one decimal separator, optional
// exponent. Throws InputError for anything else or a value beyond double.
double ParseReal(std::string_view text, const Separators& separators);

// ParseReal, then rounded half to even into the 16/32-bit range.
std::int16_t ParseInt16(std::string_view text, const Separators& separators);
std::int32_t ParseInt32(std::string_view text, const Separators& separators);

// 15 significant digits, plain decimal, no trailing zeros, no grouping.
std::string FormatReal(double value, const Separators& separators);

// Plain decimal digits with a leading minus, never grouped.
std::string FormatInteger(std::int32_t value);

}  // namespace brennquist
