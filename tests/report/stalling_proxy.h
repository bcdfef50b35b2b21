#pragma once

// A stand-in print server on 127.0.0.1 that passes one connection through to
// the real cupsd until the client sends a request holding a given text, and
// from then on keeps everything the client sends to itself: a print service
// that answers at first and then falls silent. With no such text it passes
// everything through. It records what the client sent (the first 16 MB).
// Connections after the first are taken by the kernel and never served.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

#include "tests/report/loopback_socket.h"

namespace brennquist::testing {

class StallingProxy {
  public:
    StallingProxy(std::string upstreamSocket, std::string stallAt)
        : upstream_(std::move(upstreamSocket)), stallAt_(std::move(stallAt)) {
        const LoopbackSocket socket = BindLoopback(true);
        listener_ = socket.fd;
        port_ = socket.port;
        thread_ = std::thread([this] { Serve(); });
    }
    StallingProxy(const StallingProxy&) = delete;
    StallingProxy& operator=(const StallingProxy&) = delete;
    StallingProxy(StallingProxy&&) = delete;
    StallingProxy& operator=(StallingProxy&&) = delete;
    ~StallingProxy() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }

    [[nodiscard]] std::string Server() const { return "127.0.0.1:" + std::to_string(port_); }
    [[nodiscard]] bool Stalled() const { return stalled_; }
    [[nodiscard]] std::string ClientSent() const {
        const std::lock_guard lock(mutex_);
        return sent_;
    }

  private:
    static constexpr int kPollMilliseconds = 50;
    static constexpr std::size_t kRecorded = 16 << 20;

    // Waits for something to read on `fd`; false once the proxy is stopped.
    [[nodiscard]] bool WaitFor(int fd) const {
        pollfd wanted{fd, POLLIN, 0};
        while (!stop_) {
            if (::poll(&wanted, 1, kPollMilliseconds) > 0) {
                return true;
            }
        }
        return false;
    }

    [[nodiscard]] int ConnectUpstream() const {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        upstream_.copy(&address.sun_path[0], sizeof address.sun_path - 1);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {  // NOLINT
            ::close(fd);
            return -1;
        }
        return fd;
    }

    void Serve() {
        if (!WaitFor(listener_)) {
            return;
        }
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        const int server = ConnectUpstream();
        if (client >= 0 && server >= 0) {
            Relay(client, server);
        }
        ::close(server);
        ::close(client);
    }

    void Relay(int client, int server) {
        std::array<pollfd, 2> ends{pollfd{client, POLLIN, 0}, pollfd{server, POLLIN, 0}};
        std::array<char, 65536> buffer{};
        while (!stop_) {
            if (::poll(ends.data(), ends.size(), kPollMilliseconds) <= 0) {
                continue;
            }
            for (std::size_t from = 0; from < ends.size(); ++from) {
                if ((ends[from].revents & (POLLIN | POLLHUP)) == 0) {
                    continue;
                }
                const ssize_t count = ::read(ends[from].fd, buffer.data(), buffer.size());
                if (count <= 0) {
                    return;
                }
                const std::string_view data(buffer.data(), static_cast<std::size_t>(count));
                if (from == 0) {
                    Record(data);
                }
                if (from == 0 && (stalled_ || (!stallAt_.empty() &&
                                               data.find(stallAt_) != std::string_view::npos))) {
                    stalled_ = true;  // swallowed: the server never hears of it
                    continue;
                }
                const int to = ends[1 - from].fd;
                if (::write(to, data.data(), data.size()) != count) {
                    return;
                }
            }
        }
    }

    void Record(const std::string_view data) {
        const std::lock_guard lock(mutex_);
        sent_.append(data.substr(0, kRecorded - std::min(kRecorded, sent_.size())));
    }

    std::string upstream_;
    std::string stallAt_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> stalled_ = false;
    mutable std::mutex mutex_;
    std::string sent_;
    std::thread thread_;
};

}  // namespace brennquist::testing
