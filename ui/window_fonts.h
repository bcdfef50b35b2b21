#pragma once

#include <QFont>

namespace brennquist {

// The fonts the window's controls name, by their key in the form design.
enum class FontKey {
    A,  // "MS Sans Serif" 12 pt bold: captions, fields, results
    B,  // "MS Sans Serif" 9.75 pt bold: warning and two buttons
    C,  // "MS Sans Serif" 13.5 pt bold: the cell-type list
    D,  // "MS Sans Serif" 18 pt bold: the title
    E,  // "Comic Sans MS" 9.75 pt bold: the vendor address
};

// Maps the faces the design names onto metric look-alikes that Linux ships
// (fonts-liberation, fonts-comic-neue), so every caption fits its fixed box.
// Safe to call more than once.
void InstallFontSubstitutes();

[[nodiscard]] QFont ControlFont(FontKey key);

// The window's ordinary dialog font, regular weight, for controls that name none.
[[nodiscard]] QFont DialogFont();

}  // namespace brennquist
