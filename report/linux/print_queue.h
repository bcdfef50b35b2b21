#pragma once

#include <chrono>
#include <fstream>
#include <memory>
#include <string>

#include "report/linux/paper_size.h"
#include "report/print_outcome.h"

namespace brennquist {

// One conversation with the print service about the default printer:
// connecting, finding the printer, asking for its paper and handing it a PDF
// file. Every exchange runs on one connection and gives up once `limit` has
// passed while the server keeps silent. A step that fails returns false;
// Failure() then tells why. Plain libcups without Qt: it runs in the short-lived
// print helper process, whose parent ends it when even that limit cannot hold
// (a name look-up, a server that trickles an endless answer).
class PrintQueueSession {
  public:
    explicit PrintQueueSession(std::chrono::milliseconds limit);
    PrintQueueSession(const PrintQueueSession&) = delete;
    PrintQueueSession& operator=(const PrintQueueSession&) = delete;
    PrintQueueSession(PrintQueueSession&&) = delete;
    PrintQueueSession& operator=(PrintQueueSession&&) = delete;
    ~PrintQueueSession();

    // Opens the connection to the print service, without encryption yet.
    [[nodiscard]] bool Connect();

    // The steps below need the connection made first, each the one before it.

    // Encrypts the connection when the user's settings ask for it, and looks
    // up the default printer with the user's saved options.
    [[nodiscard]] bool FindDefaultPrinter();

    // The default paper of the default printer, the user's own choice first
    // (lpoptions); A4 without margins when the printer names none.
    [[nodiscard]] bool LookUpPaper(PaperSize& paper);

    // Hands the finished PDF file to the default printer's queue, with the
    // options the user saved for it. True once the queue has accepted the job.
    [[nodiscard]] bool Submit(const std::string& pdfFile, const std::string& title);

    [[nodiscard]] PrintOutcome Failure() const;

  private:
    struct Connection;

    [[nodiscard]] bool PrinterTakesRequests();
    bool SendDocument(std::ifstream& pdf, int job, const std::string& title);
    bool Fail(PrintOutcome cause);

    std::chrono::steady_clock::time_point deadline_;
    std::unique_ptr<Connection> connection_;
    PrintOutcome failure_ = PrintOutcome::JobFailed;
};

}  // namespace brennquist
