#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

#include "report/paper_size.h"
#include "report/print_outcome.h"

namespace brennquist {

// The print helper (see print_helper.h) as its parent sees it: started in a
// session of its own, without a terminal, and ended by the deadline at the
// latest, with all it may have started. Waiting for it blocks the calling
// thread until it answers or the deadline passes, never longer.
class PrintHelperProcess {
  public:
    using Clock = std::chrono::steady_clock;

    // Starts the helper for the PDF file that Print() will hand over; the
    // file need not exist yet.
    PrintHelperProcess(const std::string& pdfFile, const std::string& title,
                       Clock::time_point deadline);
    PrintHelperProcess(const PrintHelperProcess&) = delete;
    PrintHelperProcess& operator=(const PrintHelperProcess&) = delete;
    PrintHelperProcess(PrintHelperProcess&&) = delete;
    PrintHelperProcess& operator=(PrintHelperProcess&&) = delete;
    ~PrintHelperProcess();

    // The default printer's paper; nullopt when the exchange ended before it,
    // Outcome() then tells how.
    [[nodiscard]] std::optional<PaperSize> AwaitPaper();

    // Has the helper hand over the PDF file, written by now, and tells how
    // that ended.
    [[nodiscard]] PrintOutcome Print();

    [[nodiscard]] PrintOutcome Outcome() const;

  private:
    [[nodiscard]] std::optional<std::string> NextLine();
    [[nodiscard]] bool Take(const std::string& line, std::optional<PaperSize>& paper);
    void End();

    Clock::time_point deadline_;
    pid_t pid_ = -1;
    int socket_ = -1;
    std::string received_;
    bool connected_ = false;
    std::optional<PrintOutcome> outcome_;
};

}  // namespace brennquist
