#pragma once

#include <chrono>

#include "engine/input_set.h"
#include "engine/result_set.h"

namespace brennquist {

// Everything the report shows, gathered at the moment of the press: the nine
// input texts and the result captions exactly as the window holds them (the
// row captions lbllbln and lbllblPW included), and the local date of printing.
struct ReportTexts {
    InputSet inputs;
    ResultSet results;
    std::chrono::year_month_day printDate{};
};

}  // namespace brennquist
