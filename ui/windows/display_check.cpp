// Windows always has its desktop: there is no display server to ask for.
#include "ui/display_check.h"

namespace brennquist {

std::optional<std::string> MissingDisplay() {
    return std::nullopt;
}

}  // namespace brennquist
