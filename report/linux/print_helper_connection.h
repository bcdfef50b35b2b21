#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

#include "report/linux/paper_size.h"
#include "report/print_helper_process.h"
#include "report/print_outcome.h"

namespace brennquist {

// The print helper (report/print_helper.h) as its parent sees it: started in a
// session of its own, without a terminal, and ended by the deadline at the
// latest, with all it may have started. Waiting for it goes through the
// caller's AwaitReady (blocking without one) until it answers or the deadline
// passes, never longer.
class PrintHelperConnection {
  public:
    using Clock = std::chrono::steady_clock;

    // Starts the helper for the PDF that Print() will hand over, to be
    // written to the file open as `pdf` (it may be empty yet). The helper ends
    // with this process, however that ends.
    PrintHelperConnection(int pdf, const std::string& title, Clock::time_point deadline,
                          AwaitReady await = {});
    PrintHelperConnection(const PrintHelperConnection&) = delete;
    PrintHelperConnection& operator=(const PrintHelperConnection&) = delete;
    PrintHelperConnection(PrintHelperConnection&&) = delete;
    PrintHelperConnection& operator=(PrintHelperConnection&&) = delete;
    ~PrintHelperConnection();

    // The default printer's paper; nullopt when the exchange ended before it,
    // Outcome() then tells how.
    [[nodiscard]] std::optional<PaperSize> AwaitPaper();

    // Has the helper hand over the PDF file, written by now, and tells how
    // that ended.
    [[nodiscard]] PrintOutcome Print();

    [[nodiscard]] PrintOutcome Outcome() const;

  private:
    [[nodiscard]] std::optional<std::string> NextLine();
    [[nodiscard]] bool AwaitReadable();
    [[nodiscard]] bool Take(const std::string& line, std::optional<PaperSize>& paper);
    void End();

    Clock::time_point deadline_;
    AwaitReady await_;
    pid_t pid_ = -1;
    int socket_ = -1;
    std::string received_;
    bool connected_ = false;
    std::optional<PrintOutcome> outcome_;
};

}  // namespace brennquist
