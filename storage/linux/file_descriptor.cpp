#include "storage/file_descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace brennquist {

std::error_code FileDescriptor::Close() {
    if (fd_ < 0) {
        return {};
    }
    // Linux releases the descriptor even when close() fails, so it is never retried.
    const int result = ::close(std::exchange(fd_, -1));
    return result == 0 || errno == EINTR ? std::error_code{} : LastSystemError();
}

FileDescriptor OpenFile(const std::filesystem::path& path, int flags, unsigned mode) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags, mode);  // NOLINT(cppcoreguidelines-pro-type-vararg)
    } while (fd < 0 && errno == EINTR);
    return FileDescriptor(fd);
}

// Non-blocking, so that a FIFO or device in the file's place cannot hang the
// program before the regular-file check turns it down.
FileDescriptor OpenRegularFileForReading(const std::filesystem::path& path) {
    FileDescriptor file = OpenFile(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    struct stat status {};
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    return file;
}

std::error_code LastSystemError() {
    return {errno, std::system_category()};
}

std::error_code ReadSome(const FileDescriptor& file, std::span<char> buffer, std::size_t& count) {
    count = 0;
    for (;;) {
        const ssize_t result = ::read(file.Get(), buffer.data(), buffer.size());
        if (result >= 0) {
            count = static_cast<std::size_t>(result);
            return {};
        }
        if (errno != EINTR) {
            return LastSystemError();
        }
    }
}

std::error_code WriteAll(const FileDescriptor& file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t result = ::write(file.Get(), bytes.data(), bytes.size());
        if (result < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastSystemError();
        }
        if (result == 0) {
            // Nothing written and no error: treat as a full device rather than spin.
            return std::make_error_code(std::errc::no_space_on_device);
        }
        bytes.remove_prefix(static_cast<std::size_t>(result));
    }
    return {};
}

std::error_code FlushToDisk(const FileDescriptor& file) {
    while (::fsync(file.Get()) != 0) {
        if (errno != EINTR) {
            return LastSystemError();
        }
    }
    return {};
}

}  // namespace brennquist
