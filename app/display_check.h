#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

namespace brennquist {

// The check's own connection to the display server, of the platform's kind
// (linux/display_connection.h); Windows never makes one.
struct DisplayConnection;
struct DisplayConnectionCloser {
    void operator()(DisplayConnection* connection) const;
};
using HeldDisplayConnection = std::unique_ptr<DisplayConnection, DisplayConnectionCloser>;

// Whether Qt has somewhere to show the window, asked before Qt is started:
// Qt itself aborts with a long English trace when its display cannot be
// reached.
struct DisplayCheck {
    // The one German line that tells what is missing; nothing when an X11 or
    // Wayland display answers or a platform without a display server is
    // chosen (such as offscreen).
    std::optional<std::string> missing;
    // The check's own X connection, to be closed only once Qt holds its own:
    // an X server whose last client leaves resets itself, and a connection
    // that arrives meanwhile is lost.
    HeldDisplayConnection connection;
};

// `arguments` is the program's argv: Qt's -platform and -display count as
// much as QT_QPA_PLATFORM and DISPLAY.
[[nodiscard]] DisplayCheck CheckDisplay(std::span<const char* const> arguments);

}  // namespace brennquist
