#pragma once

#include <QDate>
#include <chrono>

namespace brennquist {

// The window's date as the report and the mail link take it.
inline std::chrono::year_month_day ToYearMonthDay(const QDate& date) {
    return std::chrono::year_month_day{std::chrono::year{date.year()},
                                       std::chrono::month{static_cast<unsigned>(date.month())},
                                       std::chrono::day{static_cast<unsigned>(date.day())}};
}

}  // namespace brennquist
