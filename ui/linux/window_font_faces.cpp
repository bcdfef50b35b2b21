#include "ui/window_font_faces.h"

namespace brennquist {

// Linux has no face of this name; the substitutes map it onto Liberation Sans.
QLatin1String SansFace() {
    return QLatin1String("MS Sans Serif");
}

// fontconfig's own setting, which the desktop chose.
QFont::HintingPreference ControlHinting() {
    return QFont::PreferDefaultHinting;
}

}  // namespace brennquist
