#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace brennquist {

// Owns one open Win32 file handle and closes it on destruction.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&&) = delete;
    FileHandle& operator=(FileHandle&&) = delete;
    ~FileHandle() {
        if (IsOpen()) {
            ::CloseHandle(handle_);
        }
    }

    [[nodiscard]] bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    [[nodiscard]] HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

// Writes all bytes from the file's current position on.
std::error_code WriteAll(HANDLE file, std::string_view bytes);

// Reads from the current position to the end of the file where that is at
// most `most` bytes; `bytes` is nullopt where there is more.
std::error_code ReadAtMost(HANDLE file, std::size_t most, std::optional<std::string>& bytes);

}  // namespace brennquist
