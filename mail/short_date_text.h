#pragma once

#include <chrono>
#include <string>

namespace brennquist {

// The date as the system writes it in the user's short date format, UTF-8:
// Windows' own (GetDateFormatEx, a two-digit year where the user chose one),
// on Linux the C library's for the user's locale (`date +%x`). Where no locale
// was chosen (C/POSIX) or the system cannot say, the German "07.12.2026",
// as the number separators are German then too.
[[nodiscard]] std::string ShortDateText(std::chrono::year_month_day date);

}  // namespace brennquist
