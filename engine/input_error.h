#pragma once

#include <exception>

namespace brennquist {

// The engine's one failure: an unreadable text, a value outside its integer
// range, a division by zero or an overflow. It deliberately carries no detail.
struct InputError : std::exception {
    [[nodiscard]] const char* what() const noexcept override { return "input error"; }
};

}  // namespace brennquist
