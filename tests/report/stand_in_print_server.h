#pragma once

// Stand-in print servers on 127.0.0.1 for the ways a print service can fail
// a client: each listens on a free port, serves from a thread of its own and
// stops with the object. Whatever the client does, a server never runs
// longer than its object lives; after kMaxConnections it refuses any more.
#include <arpa/inet.h>
#include <cups/cups.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/report/loopback_socket.h"

namespace brennquist::testing {

enum class ServerBehaviour {
    Refuses,          // refuses every connection: bound, not listening
    Silent,           // takes connections and never answers
    ClosesAtOnce,     // takes a connection and closes it straight away
    Trickles,         // answers with an endless response, one byte every 5 ms
    Busy,             // names its default printer, then answers "server-error-busy"
    AsksForPassword,  // answers every request with HTTP 401, Basic authentication
};

class StandInPrintServer {
  public:
    static constexpr int kMaxConnections = 32;

    explicit StandInPrintServer(const ServerBehaviour behaviour) : behaviour_(behaviour) {
        const LoopbackSocket socket = BindLoopback(behaviour_ != ServerBehaviour::Refuses);
        listener_ = socket.fd;
        port_ = socket.port;
        if (behaviour_ != ServerBehaviour::Refuses) {
            thread_ = std::thread([this] { Serve(); });
        }
    }
    StandInPrintServer(const StandInPrintServer&) = delete;
    StandInPrintServer& operator=(const StandInPrintServer&) = delete;
    StandInPrintServer(StandInPrintServer&&) = delete;
    StandInPrintServer& operator=(StandInPrintServer&&) = delete;
    ~StandInPrintServer() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        for (const int client : held_) {
            ::close(client);
        }
        if (listener_ >= 0) {
            ::close(listener_);
        }
    }

    [[nodiscard]] std::string Server() const { return "127.0.0.1:" + std::to_string(port_); }
    [[nodiscard]] int Connections() const { return connections_; }
    // True while a client is connected to a trickling server.
    [[nodiscard]] bool Trickling() const { return trickling_; }

  private:
    static constexpr int kPollMilliseconds = 50;
    static constexpr auto kTrickleStep = std::chrono::milliseconds(5);
    static constexpr std::size_t kLongestRequest = 1 << 20;

    // Waits for something to read on `fd`; false once the server is stopped.
    [[nodiscard]] bool WaitFor(const int fd) const {
        pollfd wanted{fd, POLLIN, 0};
        while (!stop_) {
            if (::poll(&wanted, 1, kPollMilliseconds) > 0) {
                return true;
            }
        }
        return false;
    }

    void Serve() {
        while (connections_ < kMaxConnections && WaitFor(listener_)) {
            const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) {
                continue;
            }
            ++connections_;
            switch (behaviour_) {
                case ServerBehaviour::Silent:
                    held_.push_back(client);  // open until the server stops
                    continue;
                case ServerBehaviour::Refuses:
                case ServerBehaviour::ClosesAtOnce:
                    break;
                case ServerBehaviour::Trickles:
                    Trickle(client);
                    break;
                case ServerBehaviour::Busy:
                case ServerBehaviour::AsksForPassword:
                    while (Answer(client)) {
                    }
                    break;
            }
            ::close(client);
        }
        if (connections_ >= kMaxConnections) {
            ::close(listener_);  // from now on connections are refused
            listener_ = -1;
        }
    }

    [[nodiscard]] static bool Send(const int client, const std::string& data) {
        return ::send(client, data.data(), data.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(data.size());
    }

    // A status line and then header lines without end, byte by byte, until
    // the client goes away.
    void Trickle(const int client) {
        trickling_ = true;
        const std::string start = "HTTP/1.1 200 OK\r\n";
        bool sent = Send(client, start);
        for (std::size_t next = 0; sent && !stop_; ++next) {
            static const std::string kLine = "X-Stand-In: more\r\n";
            sent = Send(client, std::string(1, kLine[next % kLine.size()]));
            std::this_thread::sleep_for(kTrickleStep);
        }
        trickling_ = false;
    }

    // Reads one HTTP request and answers it; false when the connection ends.
    bool Answer(const int client) {
        std::string request;
        std::size_t headerEnd = std::string::npos;
        while ((headerEnd = request.find("\r\n\r\n")) == std::string::npos) {
            if (request.size() > kLongestRequest || !ReadSome(client, request)) {
                return false;
            }
        }
        const std::string header = Lowercase(request.substr(0, headerEnd));
        if (header.find("transfer-encoding: chunked") != std::string::npos) {
            return false;  // no request here needs it; the client sees the connection end
        }
        if (header.find("expect: 100-continue") != std::string::npos &&
            !Send(client, "HTTP/1.1 100 Continue\r\n\r\n")) {
            return false;
        }
        const std::size_t length = ContentLength(header);
        std::string body = request.substr(headerEnd + 4);
        while (body.size() < length) {
            if (body.size() > kLongestRequest || !ReadSome(client, body)) {
                return false;
            }
        }
        if (behaviour_ == ServerBehaviour::AsksForPassword) {
            return Send(client,
                        "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"CUPS\"\r\n"
                        "Content-Length: 0\r\n\r\n");
        }
        const std::string ipp = IppAnswer(body);
        return Send(client, "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
                                std::to_string(ipp.size()) + "\r\n\r\n" + ipp);
    }

    [[nodiscard]] bool ReadSome(const int client, std::string& into) const {
        if (!WaitFor(client)) {
            return false;
        }
        std::array<char, 4096> buffer{};
        const ssize_t count = ::read(client, buffer.data(), buffer.size());
        if (count <= 0) {
            return false;
        }
        into.append(buffer.data(), static_cast<std::size_t>(count));
        return true;
    }

    static std::string Lowercase(std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    }

    static std::size_t ContentLength(const std::string& header) {
        const std::string name = "content-length:";
        const std::size_t at = header.find(name);
        return at == std::string::npos ? 0 : std::stoul(header.substr(at + name.size()));
    }

    static ssize_t AppendTo(void* text, ipp_uchar_t* bytes, std::size_t count) {
        static_cast<std::string*>(text)->append(reinterpret_cast<const char*>(bytes), count);
        return static_cast<ssize_t>(count);
    }

    // The answer to an IPP request: the stand-in printer for CUPS-Get-Default,
    // "server-error-busy" for everything else.
    [[nodiscard]] std::string IppAnswer(const std::string& request) const {
        constexpr std::size_t kIppHeader = 8;  // version, operation, request id
        const auto byte = [&request](std::size_t at) {
            return static_cast<unsigned>(static_cast<unsigned char>(request[at]));
        };
        const bool complete = request.size() >= kIppHeader;
        const unsigned operation = complete ? (byte(2) << 8U) | byte(3) : 0;
        const int id =
            complete
                ? static_cast<int>((byte(4) << 24U) | (byte(5) << 16U) | (byte(6) << 8U) | byte(7))
                : 1;
        const bool isDefault = operation == IPP_OP_CUPS_GET_DEFAULT;
        ipp_t* const response = ippNew();
        ippSetVersion(response, 2, 0);
        ippSetRequestId(response, id);
        ippSetStatusCode(response, isDefault ? IPP_STATUS_OK : IPP_STATUS_ERROR_BUSY);
        ippAddString(response, IPP_TAG_OPERATION, IPP_TAG_CHARSET, "attributes-charset", nullptr,
                     "utf-8");
        ippAddString(response, IPP_TAG_OPERATION, IPP_TAG_LANGUAGE, "attributes-natural-language",
                     nullptr, "en");
        if (isDefault) {
            const std::string uri = "ipp://" + Server() + "/printers/StandIn";
            ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", nullptr,
                         "StandIn");
            ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_URI, "printer-uri-supported", nullptr,
                         uri.c_str());
            ippAddInteger(response, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state",
                          IPP_PSTATE_IDLE);
            ippAddBoolean(response, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
        }
        std::string encoded;
        ippWriteIO(&encoded, AppendTo, 1, nullptr, response);
        ippDelete(response);
        return encoded;
    }

    ServerBehaviour behaviour_;
    int listener_ = -1;  // the server thread's alone once it runs
    int port_ = 0;
    std::vector<int> held_;
    std::atomic<bool> stop_ = false;
    std::atomic<int> connections_ = 0;
    std::atomic<bool> trickling_ = false;
    std::thread thread_;
};

// A UDP socket on 127.0.0.1 port 53 that takes every name query and answers
// none: a DNS server that keeps silent. Needs root; Bound() says whether it
// got the port.
class SilentNameServer {
  public:
    SilentNameServer() : fd_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(kDnsPort);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bound_ = fd_ >= 0 &&
                 ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;  // NOLINT
    }
    SilentNameServer(const SilentNameServer&) = delete;
    SilentNameServer& operator=(const SilentNameServer&) = delete;
    SilentNameServer(SilentNameServer&&) = delete;
    SilentNameServer& operator=(SilentNameServer&&) = delete;
    ~SilentNameServer() { ::close(fd_); }

    [[nodiscard]] bool Bound() const { return bound_; }

  private:
    static constexpr int kDnsPort = 53;
    int fd_;
    bool bound_ = false;
};

}  // namespace brennquist::testing
