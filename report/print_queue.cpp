#include "report/print_queue.h"

#include <cups/cups.h>

#include <QFile>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>
#include <algorithm>
#include <array>
#include <optional>

namespace brennquist {
namespace {

using Clock = std::chrono::steady_clock;

// How often a wait for the server looks at the clock; the time limit is
// overshot by at most this much.
constexpr double kWaitSliceSeconds = 0.05;
constexpr double kHundredthsPerMillimetre = 100.0;
constexpr std::size_t kSendPiece = 65536;

// libcups asks this whenever the server has kept it waiting for a slice:
// 1 waits on, 0 gives up.
int KeepWaiting(http_t* /*http*/, void* deadline) {
    return Clock::now() < *static_cast<const Clock::time_point*>(deadline) ? 1 : 0;
}

int IntegerIn(ipp_t* collection, const char* name) {
    return ippGetInteger(ippFindAttribute(collection, name, IPP_TAG_INTEGER), 0);
}

// The paper of a "media-col" value: size and margins in hundredths of a
// millimetre. Empty when the printer names no usable size.
std::optional<QPageLayout> PageLayoutOf(ipp_attribute_t* mediaCol) {
    ipp_t* const media = ippGetCollection(mediaCol, 0);
    ipp_t* const size =
        ippGetCollection(ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION), 0);
    const auto mm = [](int hundredths) { return hundredths / kHundredthsPerMillimetre; };
    const double width = mm(IntegerIn(size, "x-dimension"));
    const double length = mm(IntegerIn(size, "y-dimension"));
    if (width <= 0 || length <= 0) {
        return std::nullopt;
    }
    return QPageLayout(
        QPageSize(QSizeF(width, length), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
        QPageLayout::Portrait,
        QMarginsF(mm(IntegerIn(media, "media-left-margin")),
                  mm(IntegerIn(media, "media-top-margin")),
                  mm(IntegerIn(media, "media-right-margin")),
                  mm(IntegerIn(media, "media-bottom-margin"))),
        QPageLayout::Millimeter);
}

}  // namespace

struct PrintQueueSession::Connection {
    Connection(http_t* server, cups_dest_t* printer) : http(server), destination(printer) {}
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Connection(Connection&&) = delete;
    Connection& operator=(Connection&&) = delete;
    ~Connection() {
        if (info != nullptr) {
            cupsFreeDestInfo(info);
        }
        cupsFreeDests(1, destination);
        httpClose(http);
    }

    http_t* http;
    cups_dest_t* destination;      // the default printer with the user's saved options
    cups_dinfo_t* info = nullptr;  // what the printer supports
};

PrintQueueSession::PrintQueueSession(const std::chrono::milliseconds limit)
    : deadline_(Clock::now() + limit) {}

PrintQueueSession::~PrintQueueSession() = default;

bool PrintQueueSession::FindDefaultPrinter() {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
    http_t* const http = httpConnect2(
        cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
        static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)), nullptr);
    if (http == nullptr) {
        return Fail(PrintOutcome::ServiceUnreachable);
    }
    httpSetTimeout(http, kWaitSliceSeconds, KeepWaiting, &deadline_);
    // Looks at the user's own choice (lpoptions) first, then asks the server.
    cups_dest_t* const destination = cupsGetNamedDest(http, nullptr, nullptr);
    connection_ = std::make_unique<Connection>(http, destination);
    if (destination == nullptr) {
        return Fail(cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE
                        ? PrintOutcome::ServiceUnreachable
                        : PrintOutcome::NoDefaultPrinter);
    }
    return true;
}

bool PrintQueueSession::LookUpPageLayout(QPageLayout& layout) {
    Connection& server = *connection_;
    server.info = cupsCopyDestInfo(server.http, server.destination);
    const std::optional<QPageLayout> paper =
        server.info == nullptr ? std::nullopt
                               : PageLayoutOf(cupsFindDestDefault(server.http, server.destination,
                                                                  server.info, "media-col"));
    if (Clock::now() >= deadline_) {
        return Fail(PrintOutcome::NoAnswer);
    }
    layout =
        paper.value_or(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    return true;
}

// Every request goes over this session's connection; libcups's own
// one-call printing would look the printer up again on a connection of its own.
bool PrintQueueSession::Submit(const QString& pdfFile, const QString& title) {
    Connection& server = *connection_;
    QFile pdf(pdfFile);
    int job = 0;
    if (!pdf.open(QIODevice::ReadOnly) ||
        cupsCreateDestJob(server.http, server.destination, server.info, &job,
                          title.toUtf8().constData(), server.destination->num_options,
                          server.destination->options) > IPP_STATUS_OK_CONFLICTING) {
        return Fail(PrintOutcome::JobFailed);
    }
    if (!SendDocument(pdf, job, title) ||
        cupsFinishDestDocument(server.http, server.destination, server.info) >
            IPP_STATUS_OK_CONFLICTING) {
        cupsCancelDestJob(server.http, server.destination, job);
        return Fail(PrintOutcome::JobFailed);
    }
    return true;
}

bool PrintQueueSession::SendDocument(QFile& pdf, const int job, const QString& title) {
    Connection& server = *connection_;
    if (cupsStartDestDocument(server.http, server.destination, server.info, job,
                              title.toUtf8().constData(), CUPS_FORMAT_PDF, 0, nullptr,
                              1) != HTTP_STATUS_CONTINUE) {
        return false;
    }
    std::array<char, kSendPiece> piece{};
    for (;;) {
        const qint64 count = pdf.read(piece.data(), piece.size());
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            return true;
        }
        if (cupsWriteRequestData(server.http, piece.data(), static_cast<std::size_t>(count)) !=
            HTTP_STATUS_CONTINUE) {
            return false;
        }
    }
}

PrintOutcome PrintQueueSession::Failure() const {
    return failure_;
}

// A step that ran into the time limit failed because the server kept silent,
// whatever libcups made of it.
bool PrintQueueSession::Fail(const PrintOutcome cause) {
    failure_ = Clock::now() >= deadline_ ? PrintOutcome::NoAnswer : cause;
    return false;
}

}  // namespace brennquist
