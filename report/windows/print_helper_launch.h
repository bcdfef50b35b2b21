#pragma once

#include <chrono>
#include <filesystem>
#include <string_view>

#include "report/print_helper_process.h"
#include "report/print_outcome.h"

namespace brennquist {

// On Windows the helper gets a file with the report's texts (RecordOf): it
// asks Windows for the default printer, draws the page and hands it to the
// spooler. A printer on a server that does not answer can hold such calls for
// minutes; its parent ends the helper, and all it started, at the deadline.

// kPrintHelperArgument as Windows' wide command line spells it.
inline constexpr std::wstring_view kWidePrintHelperArgument = L"--print-helper";

// The helper's exit code for each outcome: this base plus the outcome's
// number, so that a crash's code is never taken for an outcome.
inline constexpr unsigned long kPrintHelperExitBase = 100;

// Starts the helper on the texts file and waits for its outcome through
// `await` (blocking without one) until the deadline, never longer: NoAnswer
// when it had to be ended.
[[nodiscard]] PrintOutcome RunPrintHelper(const std::filesystem::path& textsFile,
                                          std::chrono::steady_clock::time_point deadline,
                                          const AwaitReady& await = {});

}  // namespace brennquist
