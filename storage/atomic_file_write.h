#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace brennquist {

// Gives the file at `path` the content `bytes`, all or nothing: the bytes go to
// a new file in the same folder, which is flushed to the disk and only then
// renamed over `path`. If any step fails, the file at `path` is left exactly as
// it was, the temporary file is removed, and the first error is returned.
// A file at `path` that the user may not write stays protected, as it would
// against writing in place; a new file keeps the old one's permissions.
std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace brennquist
