#pragma once

#include <QFile>
#include <QPageLayout>
#include <QString>
#include <chrono>
#include <memory>

#include "report/print_outcome.h"

namespace brennquist {

// One conversation with the print service about the default printer: finding
// it, asking for its paper and handing it a PDF file. Every exchange runs on
// one connection, and all of them together give up once `limit` has passed,
// so a server that accepts but never answers costs that long and no longer.
// A step that fails returns false; Failure() then tells why.
class PrintQueueSession {
  public:
    explicit PrintQueueSession(std::chrono::milliseconds limit);
    PrintQueueSession(const PrintQueueSession&) = delete;
    PrintQueueSession& operator=(const PrintQueueSession&) = delete;
    PrintQueueSession(PrintQueueSession&&) = delete;
    PrintQueueSession& operator=(PrintQueueSession&&) = delete;
    ~PrintQueueSession();

    // Connects to the print service and looks up the default printer.
    [[nodiscard]] bool FindDefaultPrinter();

    // The two steps below need a default printer found first.

    // The default printer's paper and margins; A4 without margins when the
    // printer names none.
    [[nodiscard]] bool LookUpPageLayout(QPageLayout& layout);

    // Hands the finished PDF file to the default printer's queue, with the
    // options the user saved for it. True once the queue has accepted the job.
    [[nodiscard]] bool Submit(const QString& pdfFile, const QString& title);

    [[nodiscard]] PrintOutcome Failure() const;

  private:
    struct Connection;

    // Sends the file as the one document of the job.
    bool SendDocument(QFile& pdf, int job, const QString& title);
    bool Fail(PrintOutcome cause);

    std::chrono::steady_clock::time_point deadline_;
    std::unique_ptr<Connection> connection_;
    PrintOutcome failure_ = PrintOutcome::JobFailed;
};

}  // namespace brennquist
