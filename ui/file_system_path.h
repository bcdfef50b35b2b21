#pragma once

#include <QString>
#include <filesystem>

namespace brennquist {

// A path as Qt holds it, spelled as the file system wants it: UTF-16 on
// Windows, whatever the ANSI code page can hold; the bytes Qt gives file
// names on Linux.
[[nodiscard]] std::filesystem::path FileSystemPath(const QString& path);

// The path as the user reads it.
[[nodiscard]] QString PathText(const std::filesystem::path& path);

}  // namespace brennquist
