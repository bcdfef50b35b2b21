#include "app/display_check.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/linux/display_choice.h"
#include "app/linux/display_connection.h"

namespace brennquist {
namespace {

constexpr const char* kCannotStart = "Brennquist kann nicht starten: ";
constexpr int kDecimal = 10;

// A Wayland display is a socket, named by its path or by its name under
// XDG_RUNTIME_DIR.
bool WaylandDisplayAnswers(const std::string& name) {
    const char* const runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string runtimeFolder = runtime != nullptr ? runtime : "";
    if (!name.starts_with('/') && !runtimeFolder.starts_with('/')) {
        return false;
    }
    const std::string path = name.starts_with('/') ? name : runtimeFolder + '/' + name;
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(static_cast<char*>(address.sun_path), path.c_str(), path.size() + 1);
    // Without blocking: a compositor too busy to take the connection at once
    // (its queue full) is there all the same.
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socketFd < 0) {
        return false;
    }
    const bool answers =
        ::connect(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 ||
        errno == EAGAIN;
    ::close(socketFd);
    return answers;
}

// A socket handed over by number, as libwayland reads WAYLAND_SOCKET: it must
// be an open, connected stream socket whose peer is still there. Only looked
// at, never read from or closed: the connection is Qt's.
bool HandedOverSocketAnswers(const std::string& number) {
    errno = 0;
    char* end = nullptr;
    const long fd = std::strtol(number.c_str(), &end, kDecimal);
    if (errno != 0 || end == number.c_str() || *end != '\0' || fd < 0 || fd > INT_MAX) {
        return false;
    }
    const int socketFd = static_cast<int>(fd);
    int type = 0;
    socklen_t typeSize = sizeof(type);
    sockaddr_storage peer{};
    socklen_t peerSize = sizeof(peer);
    if (::getsockopt(socketFd, SOL_SOCKET, SO_TYPE, &type, &typeSize) != 0 || type != SOCK_STREAM ||
        ::getpeername(socketFd, reinterpret_cast<sockaddr*>(&peer), &peerSize) != 0) {
        return false;
    }
    // A peer that has gone shows as a hang-up without anything being taken.
    pollfd state{.fd = socketFd, .events = 0, .revents = 0};
    return ::poll(&state, 1, 0) >= 0 && (state.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

std::string Quoted(const std::string& name) {
    return "„" + name + "“";
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : " und ") + Quoted(names[i]);
    }
    return text;
}

std::string NoneSetLine(const DisplayChoice& choice) {
    const bool both = !choice.explicitChoice || (choice.x11 && choice.wayland);
    const std::string variables = both         ? "DISPLAY und WAYLAND_DISPLAY sind leer"
                                  : choice.x11 ? "DISPLAY ist leer"
                                               : "WAYLAND_DISPLAY ist leer";
    return std::string(kCannotStart) + "Es ist keine grafische Anzeige eingestellt (" + variables +
           ").";
}

std::string UnreachableLine(const std::vector<std::string>& names) {
    const bool one = names.size() == 1;
    return std::string(kCannotStart) +
           (one ? "Die grafische Anzeige " : "Die grafischen Anzeigen ") + Joined(names) +
           (one ? " ist" : " sind") + " nicht erreichbar.";
}

std::string RefusedLine(const std::string& name, const std::string& reason) {
    return std::string(kCannotStart) + "Die grafische Anzeige " + Quoted(name) +
           " verweigert die Verbindung, weil die Berechtigung fehlt" +
           (reason.empty() ? "" : " (" + Quoted(reason) + ")") + ".";
}

}  // namespace

DisplayCheck CheckDisplay(std::span<const char* const> arguments) {
    const DisplayChoice choice = ChooseDisplay(arguments);
    DisplayCheck check;
    if (choice.other) {
        return check;
    }
    // Qt tries Wayland first where it is among the platforms.
    std::vector<std::string> unreachable;
    if (choice.waylandSocket) {
        if (HandedOverSocketAnswers(*choice.waylandSocket)) {
            return check;
        }
        unreachable.push_back("WAYLAND_SOCKET=" + *choice.waylandSocket);
    }
    if (choice.waylandDisplay) {
        if (WaylandDisplayAnswers(*choice.waylandDisplay)) {
            return check;
        }
        unreachable.push_back(*choice.waylandDisplay);
    }
    if (choice.x11 && !choice.x11Display.empty()) {
        X11Answer answer = ConnectX11(choice.x11Display);
        if (answer.connection) {
            check.connection.reset(new DisplayConnection{std::move(answer.connection)});
            return check;
        }
        if (answer.refused) {
            check.missing = RefusedLine(choice.x11Display, answer.reason);
            return check;
        }
        unreachable.insert(unreachable.begin(), choice.x11Display);
    }
    check.missing = unreachable.empty() ? NoneSetLine(choice) : UnreachableLine(unreachable);
    return check;
}

void DisplayConnectionCloser::operator()(DisplayConnection* connection) const {
    std::default_delete<DisplayConnection>()(connection);
}

}  // namespace brennquist
