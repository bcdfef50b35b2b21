#pragma once

#include <QString>
#include <string_view>

namespace brennquist {

// The core hands the window UTF-8 texts; Qt wants QStrings.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace brennquist
