#include "app/linux/x11_connection.h"

#include <sys/mman.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <string_view>

namespace brennquist {
namespace {

constexpr int kLocalTries = 5;
constexpr useconds_t kPause = 100'000;

// libxcb writes a server's refusal (such as missing authorization) straight to
// standard error. It is caught here, so that the user reads it once, inside
// the program's own line, and so that a refusal is told from a server that is
// not there at all.
class CapturedStandardError {
  public:
    CapturedStandardError()
        : saved_(::dup(STDERR_FILENO)), capture_(::memfd_create("x11-refusal", MFD_CLOEXEC)) {
        if (saved_ >= 0 && capture_ >= 0) {
            active_ = ::dup2(capture_, STDERR_FILENO) >= 0;
        }
    }
    ~CapturedStandardError() {
        static_cast<void>(Release());
        if (saved_ >= 0) {
            ::close(saved_);
        }
        if (capture_ >= 0) {
            ::close(capture_);
        }
    }
    CapturedStandardError(const CapturedStandardError&) = delete;
    CapturedStandardError& operator=(const CapturedStandardError&) = delete;
    CapturedStandardError(CapturedStandardError&&) = delete;
    CapturedStandardError& operator=(CapturedStandardError&&) = delete;

    // Puts standard error back and gives what was written meanwhile.
    std::string Release() {
        if (!active_) {
            return {};
        }
        active_ = false;
        ::dup2(saved_, STDERR_FILENO);
        std::string text;
        std::array<char, 512> piece{};
        ssize_t count = 0;
        off_t offset = 0;
        while ((count = ::pread(capture_, piece.data(), piece.size(), offset)) > 0) {
            text.append(piece.data(), static_cast<std::size_t>(count));
            offset += count;
        }
        return text;
    }

  private:
    int saved_;
    int capture_;
    bool active_ = false;
};

// The server's words without the line end libxcb leaves on them.
std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

X11Answer ConnectOnce(const std::string& name) {
    CapturedStandardError refusal;
    X11Connection connection(xcb_connect(name.c_str(), nullptr));
    const std::string words = refusal.Release();
    X11Answer answer;
    if (xcb_connection_has_error(connection.get()) == 0) {
        answer.connection = std::move(connection);
    } else if (!words.empty()) {
        answer.refused = true;
        answer.reason = Trimmed(words);
    }
    return answer;
}

// Whether libxcb reaches the display over the network rather than a local socket.
bool OverNetwork(const std::string& name) {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(name.c_str(), &host, &display, &screen) == 0) {
        return false;
    }
    const std::string_view hostName = host != nullptr ? host : "";
    const bool network = !hostName.empty() && hostName != "unix" && !hostName.starts_with('/') &&
                         !name.starts_with("unix/");
    std::free(host);  // NOLINT(cppcoreguidelines-no-malloc): libxcb allocated it
    return network;
}

}  // namespace

void X11Disconnect::operator()(xcb_connection_t* connection) const {
    xcb_disconnect(connection);  // also frees a connection that failed
}

X11Answer ConnectX11(const std::string& name) {
    const int tries = OverNetwork(name) ? 1 : kLocalTries;
    for (int attempt = 1;; ++attempt) {
        X11Answer answer = ConnectOnce(name);
        if (answer.connection || answer.refused || attempt == tries) {
            return answer;
        }
        ::usleep(kPause);
    }
}

}  // namespace brennquist
