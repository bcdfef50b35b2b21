#include "storage/missing_folders.h"

#include <windows.h>

#include <string>

#include "storage/windows/wide_path.h"
#include "storage/windows/win32_calls.h"

namespace brennquist {
namespace {

constexpr std::wstring_view kSeparators = L"/\\";

bool IsSeparator(wchar_t character) {
    return kSeparators.find(character) != std::wstring_view::npos;
}

// Where the drive ("C:") or the share ("\\server\share") a path starts with
// ends. Neither is a folder to create: Windows answers ERROR_ACCESS_DENIED
// for a drive's root folder, however it is there. npos: nothing but a share.
std::size_t RootLength(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') {
        return 2;
    }
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) {
        return 0;
    }
    const std::size_t server = path.find_first_of(kSeparators, 2);
    return server == std::wstring::npos ? server : path.find_first_of(kSeparators, server + 1);
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::error_code CreateFolder(const std::wstring& folder) {
    // Folders inherit the permissions of the folder above, as Windows intends
    // for a profile's own folders.
    if (Win32().createDirectory(folder.c_str(), nullptr) != 0) {
        return {};
    }
    const DWORD error = ::GetLastError();
    // A folder that is there may still answer "access denied" (a volume
    // mounted into it, a DFS link under a redirected profile): it is taken
    // as it is, as Qt's mkpath takes it.
    if (error == ERROR_ALREADY_EXISTS || (error == ERROR_ACCESS_DENIED && IsFolder(folder))) {
        return {};
    }
    return WindowsError(error);
}

}  // namespace

std::error_code CreateMissingFoldersFor(const std::filesystem::path& file) {
    const std::wstring& path = file.native();
    const std::size_t root = RootLength(path);
    if (root == std::wstring::npos) {
        return {};
    }
    // Each folder from the top down; the last component is the file itself.
    // A separator right after the root or after another one ends no folder.
    for (std::size_t slash = path.find_first_of(kSeparators, root); slash != std::wstring::npos;
         slash = path.find_first_of(kSeparators, slash + 1)) {
        if (slash <= root || IsSeparator(path[slash - 1])) {
            continue;
        }
        if (const std::error_code error = CreateFolder(path.substr(0, slash))) {
            return error;
        }
    }
    return {};
}

}  // namespace brennquist
