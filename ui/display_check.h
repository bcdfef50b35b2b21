#pragma once

namespace brennquist {

// Whether Qt has somewhere to show the window: an X11 or Wayland display, or
// a platform plugin chosen explicitly (such as offscreen).
[[nodiscard]] bool DisplayAvailable();

}  // namespace brennquist
