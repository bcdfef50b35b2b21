#pragma once

#include <QPixmap>

namespace brennquist {

// The vendor's 100 x 100 logo shown at the lower left of the window.
[[nodiscard]] QPixmap VendorLogo();

}  // namespace brennquist
