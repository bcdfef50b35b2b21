#pragma once

#include <filesystem>
#include <system_error>

namespace brennquist {

// Creates the folder that holds `file` and any missing folder above it, each
// readable by its owner only (the rule for per-user configuration folders).
// Folders already there are left as they are; succeeds when all exist.
std::error_code CreateMissingFoldersFor(const std::filesystem::path& file);

}  // namespace brennquist
