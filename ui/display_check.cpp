#include "ui/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace brennquist {
namespace {

// The display servers Qt may be asked to use; `other` is a platform such as
// offscreen that needs none.
struct Platforms {
    bool x11 = false;
    bool wayland = false;
    bool other = false;
};

std::string Variable(const char* name) {
    const char* const value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// QT_QPA_PLATFORM holds a list such as "wayland;xcb", each name possibly
// followed by options after a colon; unset, Qt tries X11 or Wayland.
Platforms ChosenPlatforms(std::string_view list) {
    if (list.empty()) {
        return Platforms{.x11 = true, .wayland = true};
    }
    Platforms chosen;
    while (!list.empty()) {
        const std::size_t end = list.find(';');
        const std::string_view entry = list.substr(0, end);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb") {
            chosen.x11 = true;
        } else if (name.starts_with("wayland")) {
            chosen.wayland = true;
        } else if (!name.empty()) {
            chosen.other = true;
        }
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    return chosen;
}

bool X11DisplayAnswersOnce(const std::string& name) {
    xcb_connection_t* const connection = xcb_connect(name.c_str(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);  // also frees a connection that failed
    return answers;
}

// An X server that has only just started (a login session coming up, a
// virtual display started with the program) may refuse the very first
// connection; it is asked a few times within half a second before it counts
// as unreachable.
bool X11DisplayAnswers(const std::string& name) {
    constexpr int kTries = 5;
    constexpr useconds_t kPause = 100'000;
    for (int attempt = 1; attempt < kTries; ++attempt) {
        if (X11DisplayAnswersOnce(name)) {
            return true;
        }
        ::usleep(kPause);
    }
    return X11DisplayAnswersOnce(name);
}

// A Wayland display is a socket, named by its path or by its name under
// XDG_RUNTIME_DIR.
bool WaylandDisplayAnswers(const std::string& name) {
    const std::string runtimeFolder = Variable("XDG_RUNTIME_DIR");
    if (!name.starts_with('/') && runtimeFolder.empty()) {
        return false;
    }
    const std::string path = name.starts_with('/') ? name : runtimeFolder + '/' + name;
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(static_cast<char*>(address.sun_path), path.c_str(), path.size() + 1);
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socketFd < 0) {
        return false;
    }
    const bool answers =
        ::connect(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(socketFd);
    return answers;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : " und ") + std::string("„") + names[i] + "“";
    }
    return text;
}

std::string NoneSetLine(const Platforms& platforms) {
    const std::string variables = platforms.x11 && platforms.wayland
                                      ? "DISPLAY und WAYLAND_DISPLAY sind leer"
                                  : platforms.x11 ? "DISPLAY ist leer"
                                                  : "WAYLAND_DISPLAY ist leer";
    return "Brennquist kann nicht starten: Es ist keine grafische Anzeige eingestellt (" +
           variables + ").";
}

std::string UnreachableLine(const std::vector<std::string>& names) {
    const bool one = names.size() == 1;
    return std::string("Brennquist kann nicht starten: ") +
           (one ? "Die grafische Anzeige " : "Die grafischen Anzeigen ") + Joined(names) +
           (one ? " ist" : " sind") + " nicht erreichbar.";
}

}  // namespace

std::optional<std::string> MissingDisplay() {
    const Platforms platforms = ChosenPlatforms(Variable("QT_QPA_PLATFORM"));
    if (platforms.other) {
        return std::nullopt;
    }
    std::vector<std::string> unreachable;
    const std::string x11 = Variable("DISPLAY");
    if (platforms.x11 && !x11.empty()) {
        if (X11DisplayAnswers(x11)) {
            return std::nullopt;
        }
        unreachable.push_back(x11);
    }
    const std::string wayland = Variable("WAYLAND_DISPLAY");
    if (platforms.wayland && !wayland.empty()) {
        if (WaylandDisplayAnswers(wayland)) {
            return std::nullopt;
        }
        unreachable.push_back(wayland);
    }
    return unreachable.empty() ? NoneSetLine(platforms) : UnreachableLine(unreachable);
}

}  // namespace brennquist
