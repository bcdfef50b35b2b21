#pragma once

#include <QLatin1String>

namespace brennquist {

// The sans-serif face the window's controls are drawn in: the design's
// "MS Sans Serif", or where that name means a bitmap font, its scalable twin.
[[nodiscard]] QLatin1String SansFace();

}  // namespace brennquist
