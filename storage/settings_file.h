#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "engine/input_set.h"
#include "storage/save_failure.h"
#include "storage/settings_line_reader.h"

namespace brennquist {

// akku.dat, the file that keeps the nine inputs from one run to the next: the
// texts in InputSet order, each followed by CR LF, in the system's ANSI code
// page (ansi_code_page.h). Nothing is checked on the way in or out. Paths are
// the file system's own: UTF-16 on Windows, bytes elsewhere.

// The file's path: the folder, then "akku.dat", joined by the system's own
// separator, one only, even after a root folder ("E:\akku.dat", "/akku.dat").
std::filesystem::path SettingsFilePath(const std::filesystem::path& folder);

// The file's bytes for these inputs.
std::string SettingsFileContent(const InputSet& inputs);

// Writes the file whole, creating its folder when missing, or leaves the
// previous one untouched and reports why not. SaveFailure::kNewContentInPlace
// tells a save that failed half-way but still left the new inputs in the file.
std::error_code SaveSettingsFile(const std::filesystem::path& path, const InputSet& inputs);

// The saved texts, one line at a time, in the order they were saved. A file
// that does not give its nine lines within its first 64 KiB fails where that
// limit is reached, as an unreadable one does.
SettingsLineReader OpenSettingsFile(const std::filesystem::path& path);

}  // namespace brennquist
