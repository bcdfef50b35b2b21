// Windows always has its desktop: there is no display server to ask, and no
// connection is ever made.
#include "app/display_check.h"

namespace brennquist {

struct DisplayConnection {};

DisplayCheck CheckDisplay(std::span<const char* const> /*arguments*/) {
    return {};
}

void DisplayConnectionCloser::operator()(DisplayConnection* connection) const {
    std::default_delete<DisplayConnection>()(connection);
}

}  // namespace brennquist
