// Windows always has its desktop: there is no display server to ask, and no X
// connection is ever made.
#include "ui/display_check.h"

namespace brennquist {

DisplayCheck CheckDisplay(std::span<const char* const> /*arguments*/) {
    return {};
}

// The check's connection stays empty here, so there is nothing to close.
void X11Disconnect::operator()(xcb_connection_t* /*connection*/) const {}

}  // namespace brennquist
