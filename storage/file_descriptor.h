#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace brennquist {

// Owns one open POSIX file descriptor and closes it on destruction. Close()
// closes early and reports the error, which matters after writing.
class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    ~FileDescriptor() { Close(); }

    [[nodiscard]] bool IsOpen() const { return fd_ >= 0; }
    [[nodiscard]] int Get() const { return fd_; }

    // The platform's own close; the descriptor is given up even when it fails.
    std::error_code Close();

  private:
    int fd_ = -1;
};

// open(2), retried when interrupted; on failure the result is not open and
// errno tells why.
FileDescriptor OpenFile(const std::filesystem::path& path, int flags, unsigned mode = 0);

// Opens `path` for reading when it is a regular file; a FIFO or device in
// its place cannot hang the call. Not open otherwise.
FileDescriptor OpenRegularFileForReading(const std::filesystem::path& path);

// The current errno as an error code.
std::error_code LastSystemError();

// Reads at most buffer.size() bytes; 0 means end of file. Retries interrupted calls.
std::error_code ReadSome(const FileDescriptor& file, std::span<char> buffer, std::size_t& count);

// Writes all bytes, going on after partial writes and interrupted calls.
std::error_code WriteAll(const FileDescriptor& file, std::string_view bytes);

// fsync(2): returns once the file's content is on the disk.
std::error_code FlushToDisk(const FileDescriptor& file);

}  // namespace brennquist
