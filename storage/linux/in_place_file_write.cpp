#include "storage/in_place_file_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <optional>
#include <string>

#include "storage/file_descriptor.h"
#include "storage/save_failure.h"
#include "storage/settings_file_size.h"

namespace brennquist {
namespace {

constexpr std::size_t kReadPiece = 4096;

// The old content, to put back should the write fail; nullopt where it is
// larger than a settings file, which is not held in memory.
std::error_code ReadOldContent(const FileDescriptor& file, std::optional<std::string>& old) {
    std::array<char, kReadPiece> piece{};
    std::string bytes;
    for (;;) {
        std::size_t count = 0;
        if (const std::error_code error = ReadSome(file, piece, count)) {
            return error;
        }
        if (count == 0) {
            old = std::move(bytes);
            return {};
        }
        if (bytes.size() + count > kMostSettingsFileBytes) {
            old.reset();
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
    std::optional<std::string> old;
    if (const std::error_code error = ReadOldContent(file, old)) {
        return error;
    }
    if (const std::error_code error = Overwrite(file, bytes)) {
        const bool restored = old && !Overwrite(file, *old);
        return restored ? error : SaveFailure::kFileMayHoldNeither;
    }
    return {};
}

}  // namespace brennquist
