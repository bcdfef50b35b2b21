#pragma once

#include <optional>
#include <span>
#include <string>

namespace brennquist {

// The display servers Qt will try for these command-line arguments and this
// environment, worked out the way Qt itself does before it connects.
struct DisplayChoice {
    bool x11 = false;             // the xcb platform is among those tried
    bool wayland = false;         // a wayland platform is among those tried
    bool other = false;           // a platform that needs no display server, such as offscreen
    bool explicitChoice = false;  // chosen by -platform or QT_QPA_PLATFORM
    std::string x11Display;       // -display, else $DISPLAY; may be empty
    std::optional<std::string> waylandDisplay;  // the socket Wayland would use, if any
    // WAYLAND_SOCKET, when Wayland is tried and the compositor that started the
    // program handed it a connected socket: the descriptor's number as given.
    // Wayland then uses that one alone and never WAYLAND_DISPLAY.
    std::optional<std::string> waylandSocket;
};

// `arguments` is the program's argv, its first entry the program itself.
[[nodiscard]] DisplayChoice ChooseDisplay(std::span<const char* const> arguments);

}  // namespace brennquist
