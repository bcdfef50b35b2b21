#include "storage/in_place_file_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>

#include "storage/file_descriptor.h"

namespace brennquist {
namespace {

constexpr std::size_t kReadPiece = 4096;

std::error_code ReadAll(const FileDescriptor& file, std::string& bytes) {
    std::array<char, kReadPiece> piece{};
    for (;;) {
        std::size_t count = 0;
        if (const std::error_code error = ReadSome(file, piece, count)) {
            return error;
        }
        if (count == 0) {
            return {};
        }
        bytes.append(piece.data(), count);
    }
}

// The file becomes exactly `bytes`, on the disk.
std::error_code Overwrite(const FileDescriptor& file, std::string_view bytes) {
    if (::lseek(file.Get(), 0, SEEK_SET) != 0) {
        return LastSystemError();
    }
    if (const std::error_code error = WriteAll(file, bytes)) {
        return error;
    }
    if (::ftruncate(file.Get(), static_cast<off_t>(bytes.size())) != 0) {
        return LastSystemError();
    }
    return FlushToDisk(file);
}

}  // namespace

std::error_code WriteFileInPlace(const std::filesystem::path& path, std::string_view bytes) {
    const FileDescriptor file = OpenFile(path, O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (!file.IsOpen()) {
        return LastSystemError();
    }
    std::string old;
    if (const std::error_code error = ReadAll(file, old)) {
        return error;
    }
    if (const std::error_code error = Overwrite(file, bytes)) {
        // The old content is no larger than what was there, so this goes
        // through where the new content did not; its own failure adds nothing.
        static_cast<void>(Overwrite(file, old));
        return error;
    }
    return {};
}

}  // namespace brennquist
