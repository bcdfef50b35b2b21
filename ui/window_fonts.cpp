#include "ui/window_fonts.h"

#include <QString>

#include "ui/window_font_faces.h"

namespace brennquist {
namespace {

constexpr QLatin1String kComicFace("Comic Sans MS");

QFont SizedFont(QLatin1String family, qreal points, QFont::StyleHint hint) {
    QFont font(QString{family});
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setHintingPreference(ControlHinting());
    return font;
}

QFont BoldFont(QLatin1String family, qreal points, QFont::StyleHint hint) {
    QFont font = SizedFont(family, points, hint);
    font.setBold(true);
    return font;
}

}  // namespace

void InstallFontSubstitutes() {
    // Without these, fontconfig picks DejaVu Sans, which is too wide for the
    // caption boxes.
    QFont::insertSubstitution(SansFace(), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(kComicFace, QStringLiteral("Comic Neue"));
}

QFont ControlFont(FontKey key) {
    switch (key) {
        case FontKey::A:
            return BoldFont(SansFace(), 12.0, QFont::SansSerif);
        case FontKey::B:
            return BoldFont(SansFace(), 9.75, QFont::SansSerif);
        case FontKey::C:
            return BoldFont(SansFace(), 13.5, QFont::SansSerif);
        case FontKey::D:
            return BoldFont(SansFace(), 18.0, QFont::SansSerif);
        case FontKey::E:
            return BoldFont(kComicFace, 9.75, QFont::Cursive);
    }
    return BoldFont(SansFace(), 12.0, QFont::SansSerif);
}

QFont DialogFont() {
    return SizedFont(SansFace(), 8.0, QFont::SansSerif);
}

}  // namespace brennquist
