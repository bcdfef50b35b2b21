#include "report/print_queue.h"

#include <cups/cups.h>

#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>
#include <algorithm>
#include <optional>

namespace brennquist {
namespace {

using Clock = std::chrono::steady_clock;

// How often a wait for the server looks at the clock; the time limit is
// overshot by at most this much.
constexpr double kWaitSliceSeconds = 0.05;
constexpr double kHundredthsPerMillimetre = 100.0;

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
        cupsFreeDests(1, destination);
        httpClose(http);
    }

    http_t* http;
    cups_dest_t* destination;  // the default printer with the user's saved options
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
    http_t* const http = connection_->http;
    cups_dest_t* const destination = connection_->destination;
    cups_dinfo_t* const info = cupsCopyDestInfo(http, destination);
    std::optional<QPageLayout> paper;
    if (info != nullptr) {
        paper = PageLayoutOf(cupsFindDestDefault(http, destination, info, "media-col"));
        cupsFreeDestInfo(info);
    }
    if (Clock::now() >= deadline_) {
        return Fail(PrintOutcome::NoAnswer);
    }
    layout =
        paper.value_or(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    return true;
}

bool PrintQueueSession::Submit(const QString& pdfFile, const QString& title) {
    const cups_dest_t& destination = *connection_->destination;
    const int job = cupsPrintFile2(
        connection_->http, destination.name, pdfFile.toLocal8Bit().constData(),
        title.toLocal8Bit().constData(), destination.num_options, destination.options);
    return job > 0 || Fail(PrintOutcome::JobFailed);
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
