// The file descriptors of the C runtime, opened from UTF-16 paths and always
// in binary mode, so CR LF reaches the file as it is.
#include "storage/file_descriptor.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <utility>

namespace brennquist {
namespace {

// _read and _write take an unsigned int count.
constexpr std::size_t kMostPerCall = INT_MAX;

}  // namespace

std::error_code FileDescriptor::Close() {
    if (fd_ < 0) {
        return {};
    }
    return ::_close(std::exchange(fd_, -1)) == 0 ? std::error_code{} : LastSystemError();
}

FileDescriptor OpenFile(const std::filesystem::path& path, int flags, unsigned mode) {
    const int permissions = static_cast<int>(mode);
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg)
    return FileDescriptor(::_wopen(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, permissions));
}

FileDescriptor OpenRegularFileForReading(const std::filesystem::path& path) {
    FileDescriptor file = OpenFile(path, _O_RDONLY);
    struct _stat64 status {};
    if (!file.IsOpen() || ::_fstat64(file.Get(), &status) != 0 ||
        (status.st_mode & _S_IFMT) != _S_IFREG) {
        return {};
    }
    return file;
}

std::error_code LastSystemError() {
    return {errno, std::generic_category()};
}

std::error_code ReadSome(const FileDescriptor& file, std::span<char> buffer, std::size_t& count) {
    count = 0;
    const int result = ::_read(file.Get(), buffer.data(),
                               static_cast<unsigned>(std::min(buffer.size(), kMostPerCall)));
    if (result < 0) {
        return LastSystemError();
    }
    count = static_cast<std::size_t>(result);
    return {};
}

std::error_code WriteAll(const FileDescriptor& file, std::string_view bytes) {
    while (!bytes.empty()) {
        const int result = ::_write(file.Get(), bytes.data(),
                                    static_cast<unsigned>(std::min(bytes.size(), kMostPerCall)));
        if (result < 0) {
            return LastSystemError();
        }
        if (result == 0) {
            return std::make_error_code(std::errc::no_space_on_device);
        }
        bytes.remove_prefix(static_cast<std::size_t>(result));
    }
    return {};
}

std::error_code FlushToDisk(const FileDescriptor& file) {
    return ::_commit(file.Get()) == 0 ? std::error_code{} : LastSystemError();
}

}  // namespace brennquist
