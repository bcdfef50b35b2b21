#include "report/linux/print_queue.h"

#include <cups/cups.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace brennquist {
namespace {

using Clock = std::chrono::steady_clock;

// How often a wait for the server looks at the clock; the time limit is
// overshot by at most this much.
constexpr double kWaitSliceSeconds = 0.05;
constexpr std::size_t kSendPiece = 65536;
constexpr PaperSize kA4WithoutMargins{.width = 21000, .length = 29700};

// libcups asks this whenever the server has kept it waiting for a slice:
// 1 waits on, 0 gives up.
int KeepWaiting(http_t* /*http*/, void* deadline) {
    return Clock::now() < *static_cast<const Clock::time_point*>(deadline) ? 1 : 0;
}

int MillisecondsUntil(const Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left, 0));
}

// The service asked who the user is: 401 on the wire, or a password request
// that the print helper turned down. libcups may overwrite its last error
// afterwards; the connection's HTTP status stays.
bool WantsAuthentication(http_t* http) {
    const ipp_status_t error = cupsLastError();
    const http_status_t status = httpGetStatus(http);
    return error == IPP_STATUS_ERROR_NOT_AUTHENTICATED ||
           error == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED ||
           status == HTTP_STATUS_UNAUTHORIZED || status == HTTP_STATUS_CUPS_AUTHORIZATION_CANCELED;
}

// What the last failed request says about the service, when it says more
// than the step's own cause.
PrintOutcome CauseOfLastError(http_t* http, const PrintOutcome stepCause) {
    return WantsAuthentication(http) ? PrintOutcome::AuthenticationRequired : stepCause;
}

int IntegerIn(ipp_t* collection, const char* name) {
    return ippGetInteger(ippFindAttribute(collection, name, IPP_TAG_INTEGER), 0);
}

std::optional<PaperSize> Usable(const PaperSize& paper) {
    return paper.width > 0 && paper.length > 0 ? std::optional(paper) : std::nullopt;
}

// The paper the user chose for the printer (lpoptions "media", or the PPD's
// "PageSize"), with the printer's margins for it. libcups's own default look-up
// takes only the standard (PWG) names, not "Letter" or "A5" as lpoptions
// takes them, and falls back on US Letter, not on the printer's default.
std::optional<PaperSize> UsersPaper(http_t* http, cups_dest_t* destination, cups_dinfo_t* info) {
    const auto option = [destination](const char* name) {
        return cupsGetOption(name, destination->num_options, destination->options);
    };
    const char* name = option("media") != nullptr ? option("media") : option("PageSize");
    if (name == nullptr) {
        return std::nullopt;
    }
    const pwg_media_t* standard = pwgMediaForPWG(name);
    standard = standard != nullptr ? standard : pwgMediaForLegacy(name);
    standard = standard != nullptr ? standard : pwgMediaForPPD(name);
    cups_size_t size{};
    if (cupsGetDestMediaByName(http, destination, info, standard != nullptr ? standard->pwg : name,
                               CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0) {
        return Usable({.width = size.width,
                       .length = size.length,
                       .left = size.left,
                       .bottom = size.bottom,
                       .right = size.right,
                       .top = size.top});
    }
    // A size the printer does not list: the user's choice all the same.
    return standard != nullptr ? Usable({.width = standard->width, .length = standard->length})
                               : std::nullopt;
}

// The printer's own default paper ("media-col-default"). Without a choice of
// the user's, libcups would fall back on US Letter instead.
std::optional<PaperSize> PrintersPaper(http_t* http, cups_dest_t* destination, cups_dinfo_t* info) {
    ipp_attribute_t* const mediaCol = cupsFindDestDefault(http, destination, info, "media-col");
    ipp_t* const media = ippGetCollection(mediaCol, 0);
    ipp_t* const size =
        ippGetCollection(ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION), 0);
    return Usable({.width = IntegerIn(size, "x-dimension"),
                   .length = IntegerIn(size, "y-dimension"),
                   .left = IntegerIn(media, "media-left-margin"),
                   .bottom = IntegerIn(media, "media-bottom-margin"),
                   .right = IntegerIn(media, "media-right-margin"),
                   .top = IntegerIn(media, "media-top-margin")});
}

}  // namespace

struct PrintQueueSession::Connection {
    explicit Connection(http_t* server) : http(server) {}
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Connection(Connection&&) = delete;
    Connection& operator=(Connection&&) = delete;
    ~Connection() {
        cupsFreeDestInfo(info);
        if (destination != nullptr) {
            cupsFreeDests(1, destination);
        }
        httpClose(http);
    }

    http_t* http;
    cups_dest_t* destination = nullptr;  // the default printer with the user's saved options
    cups_dinfo_t* info = nullptr;        // what the printer supports
};

PrintQueueSession::PrintQueueSession(const std::chrono::milliseconds limit)
    : deadline_(Clock::now() + limit) {}

PrintQueueSession::~PrintQueueSession() = default;

// Encryption comes later, on a connection that already obeys the time limit:
// a TLS handshake inside the connect would wait for a silent server for ever.
bool PrintQueueSession::Connect() {
    http_t* const http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                     MillisecondsUntil(deadline_), nullptr);
    if (http == nullptr) {
        return Fail(PrintOutcome::ServiceUnreachable);
    }
    httpSetTimeout(http, kWaitSliceSeconds, KeepWaiting, &deadline_);
    connection_ = std::make_unique<Connection>(http);
    return true;
}

bool PrintQueueSession::FindDefaultPrinter() {
    Connection& server = *connection_;
    const http_encryption_t encryption = cupsEncryption();
    if (encryption != HTTP_ENCRYPTION_IF_REQUESTED &&
        httpEncryption(server.http, encryption) != 0) {
        return Fail(PrintOutcome::ServiceUnreachable);
    }
    // Looks at the user's own choice (lpoptions) first, then asks the server.
    server.destination = cupsGetNamedDest(server.http, nullptr, nullptr);
    if (server.destination == nullptr) {
        // Only a server that answered has no default printer; a connection
        // that broke off says nothing about it.
        return Fail(CauseOfLastError(server.http, httpGetStatus(server.http) == HTTP_STATUS_OK
                                                      ? PrintOutcome::NoDefaultPrinter
                                                      : PrintOutcome::ServiceUnreachable));
    }
    return true;
}

bool PrintQueueSession::LookUpPaper(PaperSize& paper) {
    Connection& server = *connection_;
    if (!PrinterTakesRequests()) {
        return false;
    }
    server.info = cupsCopyDestInfo(server.http, server.destination);
    if (server.info == nullptr) {
        return Fail(CauseOfLastError(server.http, PrintOutcome::JobFailed));
    }
    std::optional<PaperSize> chosen = UsersPaper(server.http, server.destination, server.info);
    if (!chosen) {
        chosen = PrintersPaper(server.http, server.destination, server.info);
    }
    paper = chosen.value_or(kA4WithoutMargins);
    return Clock::now() < deadline_ || Fail(PrintOutcome::NoAnswer);
}

// libcups's own look-up of what the printer supports sleeps and asks again,
// for half a minute, while the server answers that it is busy. One plain
// question first finds out whether it takes requests at all.
bool PrintQueueSession::PrinterTakesRequests() {
    Connection& server = *connection_;
    const char* const uri = cupsGetOption("printer-uri-supported", server.destination->num_options,
                                          server.destination->options);
    if (uri == nullptr) {
        return true;  // nothing to ask about; libcups finds its own way
    }
    ipp_t* const request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state");
    ippDelete(cupsDoRequest(server.http, request, "/"));
    if (cupsLastError() == IPP_STATUS_ERROR_BUSY || WantsAuthentication(server.http)) {
        return Fail(CauseOfLastError(server.http, PrintOutcome::JobFailed));
    }
    return true;  // any other answer is left to the look-up itself
}

// Every request goes over this session's connection; libcups's own
// one-call printing would look the printer up again on a connection of its own.
bool PrintQueueSession::Submit(const std::string& pdfFile, const std::string& title) {
    Connection& server = *connection_;
    std::ifstream pdf(pdfFile, std::ios::binary);
    int job = 0;
    if (!pdf || cupsCreateDestJob(server.http, server.destination, server.info, &job, title.c_str(),
                                  server.destination->num_options,
                                  server.destination->options) > IPP_STATUS_OK_CONFLICTING) {
        return Fail(CauseOfLastError(server.http, PrintOutcome::JobFailed));
    }
    if (!SendDocument(pdf, job, title) ||
        cupsFinishDestDocument(server.http, server.destination, server.info) >
            IPP_STATUS_OK_CONFLICTING) {
        const PrintOutcome cause = CauseOfLastError(server.http, PrintOutcome::JobFailed);
        cupsCancelDestJob(server.http, server.destination, job);
        return Fail(cause);
    }
    return true;
}

bool PrintQueueSession::SendDocument(std::ifstream& pdf, const int job, const std::string& title) {
    Connection& server = *connection_;
    if (cupsStartDestDocument(server.http, server.destination, server.info, job, title.c_str(),
                              CUPS_FORMAT_PDF, 0, nullptr, 1) != HTTP_STATUS_CONTINUE) {
        return false;
    }
    std::vector<char> piece(kSendPiece);
    while (pdf) {
        pdf.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const auto count = static_cast<std::size_t>(pdf.gcount());
        if (count > 0 &&
            cupsWriteRequestData(server.http, piece.data(), count) != HTTP_STATUS_CONTINUE) {
            return false;
        }
    }
    return pdf.eof();
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
