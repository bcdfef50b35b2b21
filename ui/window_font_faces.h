#pragma once

#include <QFont>
#include <QLatin1String>

namespace brennquist {

// The sans-serif face the window's controls are drawn in: the design's
// "MS Sans Serif", or where that name means a bitmap font, its scalable twin.
[[nodiscard]] QLatin1String SansFace();

// How the platform should fit the controls' glyphs to the pixel grid.
[[nodiscard]] QFont::HintingPreference ControlHinting();

}  // namespace brennquist
