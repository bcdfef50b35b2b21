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

}  // namespace brennquist
