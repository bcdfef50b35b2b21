#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace brennquist {

// Overwrites the existing file at `path` with `bytes` in one write and
// flushes it to the disk, for a folder where no new file may be made. If the
// write or the flush fails, the old content is written back as well as it
// can be and the first error is returned. The file keeps its identity, owner
// and permissions.
std::error_code WriteFileInPlace(const std::filesystem::path& path, std::string_view bytes);

}  // namespace brennquist
