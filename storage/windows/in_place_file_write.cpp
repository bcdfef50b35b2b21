// Overwriting the file itself on Windows, for a folder where no new file may
// be made: the handle keeps the file's identity, attributes and permissions.
#include "storage/in_place_file_write.h"

#include <windows.h>

#include <optional>
#include <string>

#include "storage/save_failure.h"
#include "storage/settings_file_size.h"
#include "storage/windows/file_handle.h"
#include "storage/windows/wide_path.h"

namespace brennquist {
namespace {

// The file becomes exactly `bytes`, on the disk.
std::error_code Overwrite(HANDLE file, std::string_view bytes) {
    if (::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) == 0) {
        return LastWindowsError();
    }
    if (const std::error_code error = WriteAll(file, bytes)) {
        return error;
    }
    if (::SetEndOfFile(file) == 0 || ::FlushFileBuffers(file) == 0) {
        return LastWindowsError();
    }
    return {};
}

}  // namespace

std::error_code WriteFileInPlace(const std::filesystem::path& path, std::string_view bytes) {
    // Shared with readers only: no other program writes between reading the
    // old content and writing the new.
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return LastWindowsError();
    }
    std::optional<std::string> old;
    if (const std::error_code error = ReadAtMost(file.Get(), kMostSettingsFileBytes, old)) {
        return error;
    }
    if (const std::error_code error = Overwrite(file.Get(), bytes)) {
        const bool restored = old && !Overwrite(file.Get(), *old);
        return restored ? error : SaveFailure::kFileMayHoldNeither;
    }
    return {};
}

}  // namespace brennquist
