#pragma once

// A TCP socket on a free port of 127.0.0.1, for the stand-in print servers.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace brennquist::testing {

struct LoopbackSocket {
    int fd = -1;
    int port = 0;
};

// Bound and, unless `listening` is false (a port that refuses every
// connection), listening. Throws when no port can be had, leaving nothing open.
inline LoopbackSocket BindLoopback(const bool listening) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* const generic = reinterpret_cast<sockaddr*>(&address);  // NOLINT
    if (fd < 0 || ::bind(fd, generic, length) != 0 || ::getsockname(fd, generic, &length) != 0 ||
        (listening && ::listen(fd, 16) != 0)) {
        if (fd >= 0) {
            ::close(fd);
        }
        throw std::runtime_error("no loopback socket");
    }
    return {fd, ntohs(address.sin_port)};
}

}  // namespace brennquist::testing
