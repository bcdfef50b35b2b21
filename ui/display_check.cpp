#include "ui/display_check.h"

#include <cstdlib>
#include <string_view>

namespace brennquist {
namespace {

bool IsSet(const char* name) {
    const char* const value = std::getenv(name);
    return value != nullptr && !std::string_view(value).empty();
}

}  // namespace

bool DisplayAvailable() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

}  // namespace brennquist
