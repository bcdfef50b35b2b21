#pragma once

#include <optional>
#include <string>

namespace brennquist {

// Whether Qt has somewhere to show the window, asked before Qt is started:
// Qt itself aborts with a long English trace when its display cannot be
// reached. Gives the one German line that tells what is missing, or nothing
// when an X11 or Wayland display answers or a platform without a display
// server is chosen explicitly (such as offscreen).
[[nodiscard]] std::optional<std::string> MissingDisplay();

}  // namespace brennquist
