// Saving on Windows: the new content goes to a new file beside the old one,
// is flushed to the disk, and then takes the old file's place in one step
// (ReplaceFileW, which keeps the old file's attributes and permissions, or
// MoveFileExW with write-through for a first save, or where the replace is
// refused). Until that step the old file is untouched; should that step fail
// half-way, the file is made to hold the old or the new content again, and no
// new file is left beside it.
#include "storage/atomic_file_write.h"

#include <windows.h>

#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <random>
#include <utility>

#include "storage/in_place_file_write.h"
#include "storage/save_failure.h"
#include "storage/windows/file_handle.h"
#include "storage/windows/wide_path.h"
#include "storage/windows/win32_calls.h"

namespace brennquist {
namespace {

constexpr int kNameAttempts = 100;

// A file created for writing that is removed again unless Keep() is called.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    TemporaryFile(TemporaryFile&&) = delete;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    ~TemporaryFile() { Remove(); }

    // Creates `path` exclusively; false (GetLastError() tells why) when it
    // exists or cannot be made.
    bool Create(std::wstring path) {
        handle_ = Win32().createNewFile(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            return false;
        }
        path_ = std::move(path);
        return true;
    }

    [[nodiscard]] const std::wstring& Path() const { return path_; }
    [[nodiscard]] HANDLE Handle() const { return handle_; }

    std::error_code Close() {
        if (handle_ == INVALID_HANDLE_VALUE) {
            return {};
        }
        const bool closed = ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
        return closed ? std::error_code{} : LastWindowsError();
    }

    void Keep() { kept_ = true; }

    // Closes and deletes the file now, unless it was kept.
    void Remove() {
        Close();
        if (!kept_ && !path_.empty()) {
            ::DeleteFileW(path_.c_str());
            path_.clear();
        }
    }

  private:
    std::wstring path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool kept_ = false;
};

std::wstring RandomSuffix(std::minstd_rand& random) {
    std::uniform_int_distribution<std::uint32_t> digits(0, 0xFFFFFF);
    std::array<char, 8> text{};
    const auto result = std::to_chars(text.begin(), text.end(), digits(random), 16);
    return {text.begin(), result.ptr};
}

// Creates "<path>.tmp<random>", never reusing a file that is there already.
std::error_code CreateTemporaryBeside(const std::wstring& path, TemporaryFile& temporary) {
    std::minstd_rand random(static_cast<std::uint32_t>(
        ::GetCurrentProcessId() ^ std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        if (temporary.Create(path + L".tmp" + RandomSuffix(random))) {
            return {};
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return LastWindowsError();
        }
    }
    return std::make_error_code(std::errc::file_exists);
}

// The file the path leads to, through symbolic links and junctions: the
// file at the end gets the content and the link stays a link (replacing the
// link would put a plain file in its place). The path as given where nothing
// is there yet or Windows cannot name the end.
std::wstring FinalPath(const std::wstring& path) {
    const FileHandle file(::CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.IsOpen()) {
        return path;
    }
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = Win32().finalPathOf(file.Get(), final.data(), MAX_PATH, kFlags);
    if (length >= MAX_PATH) {  // the size needed, the end included
        final.resize(length);
        length = Win32().finalPathOf(file.Get(), final.data(), length, kFlags);
    }
    if (length == 0 || length >= final.size()) {
        return path;
    }
    final.resize(length);
    return final;
}

// A read-only file stays as it is, as it would against writing in place; a
// folder in the file's place is reported by the replacing step.
std::error_code CheckReplaceable(const std::wstring& path, bool& exists) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? std::error_code{}
                                                                              : LastWindowsError();
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return std::make_error_code(std::errc::permission_denied);
    }
    return {};
}

// Puts `from` in the place of `to`, with write-through, so that it is on the
// disk when the call returns.
bool MoveInto(const std::wstring& from, const std::wstring& to) {
    return Win32().moveFile(from.c_str(), to.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether the user may write the file itself; one that another program holds
// open counts as writable, since that program's hold is what refused.
bool MayWrite(const std::wstring& path) {
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsOpen() || ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: the old file is under the backup name,
// the new one under its own. The new file goes into place after all, else the
// old one goes back; the backup is removed only once the new file is in place.
std::error_code FinishHalfWayReplace(const std::wstring& path, const std::wstring& backup,
                                     TemporaryFile& temporary, const DWORD error) {
    if (MoveInto(temporary.Path(), path)) {
        temporary.Keep();
        ::DeleteFileW(backup.c_str());
        return SaveFailure::kNewContentInPlace;
    }
    if (MoveInto(backup, path)) {
        return WindowsError(error);
    }
    return SaveFailure::kOldContentInBackup;  // the new inputs are still in the window
}

// A replace refused with both files under their names: on a network share
// whose rights let the user change files but not their permissions
// (ReplaceFileW needs WRITE_DAC on the replacement), or while another program
// holds the old file. The new file is moved over the old one, or else the old
// one is overwritten in place.
std::error_code ReplaceWithoutItsPermissions(const std::wstring& path, TemporaryFile& temporary,
                                             std::string_view bytes) {
    if (MoveInto(temporary.Path(), path)) {
        temporary.Keep();
        return {};
    }
    temporary.Remove();
    return WriteFileInPlace(path, bytes);
}

// ReplaceFileW with a backup name, so that each version keeps a name whatever
// step fails; what is left where is decided by its error, as documented.
std::error_code Replace(const std::wstring& path, TemporaryFile& temporary,
                        std::string_view bytes) {
    const std::wstring backup = SaveBackupPath(path).native();
    if (Win32().replaceFile(path.c_str(), temporary.Path().c_str(), backup.c_str(),
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0) {
        temporary.Keep();
        ::DeleteFileW(backup.c_str());
        return {};
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        return FinishHalfWayReplace(path, backup, temporary, error);
    }
    const bool refused = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    if (refused && Exists(path) && Exists(temporary.Path()) && MayWrite(path)) {
        return ReplaceWithoutItsPermissions(path, temporary, bytes);
    }
    // Every other error leaves both files under their own names.
    return WindowsError(error);
}

std::error_code TakePlaceOf(const std::wstring& path, TemporaryFile& temporary,
                            std::string_view bytes, bool exists) {
    if (exists) {
        return Replace(path, temporary, bytes);
    }
    if (!MoveInto(temporary.Path(), path)) {
        return LastWindowsError();
    }
    temporary.Keep();
    return {};
}

}  // namespace

std::error_code SaveFileContent(const std::filesystem::path& path, std::string_view bytes) {
    const std::wstring target = FinalPath(path.native());
    bool exists = false;
    if (const std::error_code error = CheckReplaceable(target, exists)) {
        return error;
    }
    TemporaryFile temporary;
    if (const std::error_code error = CreateTemporaryBeside(target, temporary)) {
        // A folder where no new file may be made: the file itself, if it may
        // be written.
        return exists ? WriteFileInPlace(target, bytes) : error;
    }
    if (const std::error_code error = WriteAll(temporary.Handle(), bytes)) {
        return error;
    }
    if (::FlushFileBuffers(temporary.Handle()) == 0) {
        return LastWindowsError();
    }
    if (const std::error_code error = temporary.Close()) {
        return error;
    }
    return TakePlaceOf(target, temporary, bytes, exists);
}

}  // namespace brennquist
