#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>

#include "process/helper_exit.h"
#include "report/print_helper_process.h"
#include "report/print_outcome.h"

namespace brennquist {

// On Windows the helper gets a file with the report's texts (RecordOf): it
// asks Windows for the default printer, draws the page and hands it to the
// spooler. A printer on a server that does not answer can hold such calls for
// minutes; its parent ends the helper, and all it started, at the deadline.

// kPrintHelperArgument as Windows' wide command line spells it.
inline constexpr std::wstring_view kWidePrintHelperArgument = L"--print-helper";

// The helper's exit code when the default printer asks for a file to print
// into (printer_port.h) and it was given none; the outcomes' codes are
// ExitCodeFor(outcome) (helper_exit.h).
inline constexpr unsigned long kPrintHelperWantsOutputFile = kHelperExitBase + 50;

// Starts the helper on the texts file and waits for its outcome through
// `await` (blocking without one) until the deadline: NoAnswer when it had to
// be ended. While the helper shows a window of its own (a driver asking the
// user), its clock stops. The page goes into `outputFile` when one is given;
// nullopt when the printer asks for a file and none was given; JobFailed,
// and no helper runs, when Windows keeps it out of a job that ends with the
// window (where the window itself runs in a job that allows none).
[[nodiscard]] std::optional<PrintOutcome> RunPrintHelper(
    const std::filesystem::path& textsFile, std::chrono::steady_clock::time_point deadline,
    const AwaitReady& await = {}, const std::filesystem::path& outputFile = {});

}  // namespace brennquist
