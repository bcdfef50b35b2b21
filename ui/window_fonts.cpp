#include "ui/window_fonts.h"

#include <QString>

namespace brennquist {
namespace {

constexpr QLatin1String kSansFace("MS Sans Serif");
constexpr QLatin1String kComicFace("Comic Sans MS");

QFont SizedFont(QLatin1String family, qreal points, QFont::StyleHint hint) {
    QFont font(QString{family});
    font.setStyleHint(hint);
    font.setPointSizeF(points);
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
    QFont::insertSubstitution(kSansFace, QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(kComicFace, QStringLiteral("Comic Neue"));
}

QFont ControlFont(FontKey key) {
    switch (key) {
        case FontKey::A:
            return BoldFont(kSansFace, 12.0, QFont::SansSerif);
        case FontKey::B:
            return BoldFont(kSansFace, 9.75, QFont::SansSerif);
        case FontKey::C:
            return BoldFont(kSansFace, 13.5, QFont::SansSerif);
        case FontKey::D:
            return BoldFont(kSansFace, 18.0, QFont::SansSerif);
        case FontKey::E:
            return BoldFont(kComicFace, 9.75, QFont::Cursive);
    }
    return BoldFont(kSansFace, 12.0, QFont::SansSerif);
}

QFont DialogFont() {
    return SizedFont(kSansFace, 8.0, QFont::SansSerif);
}

}  // namespace brennquist
