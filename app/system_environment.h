#pragma once

#include "ui/form_environment.h"

namespace brennquist {

// The window's environment as this machine and this copy of the program give
// it: where akku.dat lives, the user's locale and the local date.
[[nodiscard]] FormEnvironment SystemEnvironment();

}  // namespace brennquist
