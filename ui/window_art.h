#pragma once

#include <QPixmap>

namespace brennquist {

// The window icon: a 32 x 32 black line drawing of a battery cell symbol
// (circle with plus, wave and minus, leads ending in arrows to the right).
[[nodiscard]] QPixmap CircuitSymbolIcon();

// The vendor's 100 x 100 logo shown at the lower left of the window.
[[nodiscard]] QPixmap VendorLogo();

}  // namespace brennquist
