#pragma once

#include <QPixmap>

class QLabel;

namespace brennquist {

// The vendor's 100 x 100 logo shown at the lower left of the window, drawn
// for a screen of the given device pixel ratio (200 x 200 pixels at 2).
[[nodiscard]] QPixmap VendorLogo(qreal devicePixelRatio);

// Shows the logo in the label, sharp at the label's device pixel ratio, and
// keeps it so when the window moves to a screen of another density.
void ShowVendorLogo(QLabel& label);

// Qt's Fusion style draws the group boxes' frame from a PNG of its own, read
// by its path; Qt 6 reads a picture by its path by asking every image plugin
// it has (and loads Qt SVG for one of them) before its own PNG reader. Read
// here as the PNG it is, the picture waits in Qt's pixmap cache under the key
// that reading by its path looks up first. Where a style or a Qt version draws
// or keys it otherwise, the frame is drawn as before.
void PreloadGroupBoxFrame();

}  // namespace brennquist
