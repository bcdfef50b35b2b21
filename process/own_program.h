#pragma once

#include <filesystem>

namespace brennquist {

// The file of the program that is running, as the system names it; empty
// where the system cannot say.
[[nodiscard]] std::filesystem::path OwnProgramPath();

}  // namespace brennquist
