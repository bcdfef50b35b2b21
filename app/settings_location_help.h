#pragma once

#include <string_view>

namespace brennquist {

// The end of `--help`: where this platform's copies keep akku.dat, in the
// words of SettingsFolder's rule.
extern const std::string_view kSettingsLocationHelp;

}  // namespace brennquist
