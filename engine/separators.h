#pragma once

#include <string>

namespace brennquist {

// The locale's number separators, UTF-8; either may be several bytes long.
struct Separators {
    std::string decimal = ",";
    std::string group = ".";
};

}  // namespace brennquist
