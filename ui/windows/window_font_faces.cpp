#include "ui/window_font_faces.h"

namespace brennquist {

// Windows' "MS Sans Serif" is a bitmap font with a few fixed sizes and no bold
// of its own, so 9.75 pt bold comes out regular and too wide for the buttons.
// Microsoft Sans Serif is the same design as an outline font on every Windows.
QLatin1String SansFace() {
    return QLatin1String("Microsoft Sans Serif");
}

}  // namespace brennquist
