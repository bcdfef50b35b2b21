#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace brennquist {

// What QSaveFile does, done by hand: storage/ stays free of Qt, so that the
// file format and its saving are plain C++ that tests and fuzzers use without
// a Qt runtime, and so that it can fall back to writing in place.
//
// Gives the file at `path` the content `bytes`. A symbolic link at `path`
// stays a link: the file it leads to gets the content (see ResolveLinks).
//
// First choice, all or nothing: the bytes go to a new file in the file's
// folder, which is flushed to the disk and only then renamed over the file. If
// any step fails, the file is left exactly as it was, the temporary file is
// removed, and the first error is returned. A file the user may not write
// stays protected, as it would against writing in place; a new file keeps the
// old one's permissions.
//
// Where no new file can be made in the folder, or the new file may not
// replace the old one, but the file itself is writable, it is overwritten in
// place instead (WriteFileInPlace).
std::error_code SaveFileContent(const std::filesystem::path& path, std::string_view bytes);

}  // namespace brennquist
