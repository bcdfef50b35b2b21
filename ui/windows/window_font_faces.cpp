#include "ui/window_font_faces.h"

namespace brennquist {

// Windows' "MS Sans Serif" is a bitmap font with a few fixed sizes, which Qt
// can neither scale nor draw through DirectWrite. Microsoft Sans Serif is the
// same design as an outline font on every Windows.
QLatin1String SansFace() {
    return QLatin1String("Microsoft Sans Serif");
}

// With this preference Qt draws through DirectWrite instead of GDI. GDI's full
// hinting can thin a small bold face to regular strokes on wider, rounded
// advances (9.75 pt bold is 13 px), which pushes "eMail Anfrage" out of its
// button; DirectWrite keeps the bold strokes and the design's widths.
QFont::HintingPreference ControlHinting() {
    return QFont::PreferVerticalHinting;
}

}  // namespace brennquist
