#pragma once

#include <string_view>

namespace brennquist {

// Hands a "mailto:" link (UTF-8) to the desktop's mail handler and returns at
// once. Whether a handler exists and what it does is not examined: a missing
// or failing handler leaves the program as it was. This is the one platform
// call of the mail inquiry.
void OpenMailLink(std::string_view link);

}  // namespace brennquist
