#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "storage/file_descriptor.h"

namespace brennquist {

// Delivers the lines of a settings file one at a time, converted from
// the ANSI code page to UTF-8. A line ends at CR LF or at a lone CR, neither of which
// belongs to the value; a lone LF is part of the value; a last line without a
// line end runs to the end of the file.
class SettingsLineReader {
  public:
    // Lines of content already in memory.
    static SettingsLineReader FromBytes(std::string_view bytes);

    // Lines of the file at `path`. The file is read a piece at a time, only as far
    // as the lines asked for need, and never past its first `mostBytes` bytes: a
    // line that would need more fails, as an unreadable file does. A file that
    // cannot be opened, or that is no regular file, yields no line at all.
    static SettingsLineReader Open(const std::filesystem::path& path, std::size_t mostBytes);

    // The next line, or nothing when no byte is left or the file cannot be read;
    // after the first failure every later call fails too.
    std::optional<std::string> NextLine();

  private:
    SettingsLineReader() = default;

    void ReadMore();
    std::string TakeLine(std::size_t valueEnd, std::size_t lineEnd);

    FileDescriptor file_;
    std::string buffer_;
    std::size_t position_ = 0;  // start of the first line not yet delivered
    std::size_t unread_ = 0;    // how many more bytes of the file may be read
    bool atEnd_ = false;        // no more bytes will come
    bool failed_ = false;
};

}  // namespace brennquist
