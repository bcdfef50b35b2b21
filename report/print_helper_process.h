#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "report/print_outcome.h"
#include "report/report_texts.h"

namespace brennquist {

// How the caller waits for the helper: until the waitable (a file descriptor
// on Linux, a process handle on Windows) is ready or the deadline passes,
// true when ready. The window keeps handling its events meanwhile; left
// empty, the calling thread simply blocks.
using AwaitReady =
    std::function<bool(std::intptr_t waitable, std::chrono::steady_clock::time_point deadline)>;

// Where the printout goes when the default printer prints into a file it
// asks for (on Windows "Microsoft Print to PDF", or any printer on the port
// FILE:): the file the user chose, nullopt when they cancelled. The caller
// asks rather than the printer's driver, whose own dialog would wait for the
// window while the window waits for the helper.
using AskOutputFile = std::function<std::optional<std::filesystem::path>()>;

// The window's side of the print helper (print_helper.h): starts it, hands it
// the report and waits for its outcome until the deadline, never longer. A
// helper that has not answered by then is ended with all it started, and the
// outcome is NoAnswer. The time the user takes to choose an output file does
// not count. The helper ends with the calling process, whenever that ends.
[[nodiscard]] PrintOutcome PrintThroughHelper(const ReportTexts& texts,
                                              std::chrono::steady_clock::time_point deadline,
                                              const AwaitReady& await = {},
                                              const AskOutputFile& askOutputFile = {});

}  // namespace brennquist
