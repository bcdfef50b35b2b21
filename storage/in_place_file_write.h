#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace brennquist {

// Overwrites the existing file at `path` with `bytes` in one write and
// flushes it to the disk, for a folder where no new file may be made. The
// old content, up to the settings file's size (settings_file_size.h), is held
// to be written back should the write or the flush fail; then the first error
// is returned, or SaveFailure::kFileMayHoldNeither where the old content was
// larger or could not be written back. The file keeps its identity, owner and
// permissions.
std::error_code WriteFileInPlace(const std::filesystem::path& path, std::string_view bytes);

}  // namespace brennquist
