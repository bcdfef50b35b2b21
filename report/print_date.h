#pragma once

#include <chrono>
#include <string>

namespace brennquist {

// "dd.mm.yyyy" with leading zeros, whatever the user's locale says.
std::string FormatPrintDate(std::chrono::year_month_day date);

}  // namespace brennquist
