#pragma once

#include "app/display_check.h"
#include "app/linux/x11_connection.h"

namespace brennquist {

// What the display check holds on Linux: its X connection, if it made one.
struct DisplayConnection {
    X11Connection x11;
};

}  // namespace brennquist
