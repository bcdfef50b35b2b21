#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "engine/input_set.h"
#include "storage/settings_line_reader.h"

namespace brennquist {

// akku.dat, the file that keeps the nine inputs from one run to the next: the
// texts in InputSet order, each followed by CR LF, in Windows-1252. Nothing is
// checked on the way in or out.

// The file's path: the folder, then "/akku.dat", joined as they are.
std::string SettingsFilePath(std::string_view folder);

// The file's bytes for these inputs.
std::string SettingsFileContent(const InputSet& inputs);

// Writes the file whole, creating its folder when missing, or leaves the
// previous one untouched and reports why not.
std::error_code SaveSettingsFile(const std::string& path, const InputSet& inputs);

// The saved texts, one line at a time, in the order they were saved. A file
// that does not give its nine lines within its first 64 KiB fails where that
// limit is reached, as an unreadable one does.
SettingsLineReader OpenSettingsFile(const std::string& path);

}  // namespace brennquist
