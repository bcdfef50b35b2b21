#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "report/report_texts.h"

namespace brennquist {

// The report's texts as one self-delimiting record, for handing them to
// another process: every text travels byte for byte, line breaks and
// control characters included.
[[nodiscard]] std::string RecordOf(const ReportTexts& texts);

// The texts back from a record; nullopt for anything RecordOf did not make,
// a cut-off record included.
[[nodiscard]] std::optional<ReportTexts> ReportTextsFromRecord(std::string_view record);

}  // namespace brennquist
