#include "storage/missing_folders.h"

#include <windows.h>

#include "storage/windows/wide_path.h"

namespace brennquist {
namespace {

// The drive ("C:") or the share ("\\server\share") a path starts with: no
// folder to create there.
std::size_t RootLength(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') {
        return 2;
    }
    const bool unc = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
                     (path[1] == '\\' || path[1] == '/');
    if (!unc) {
        return 0;
    }
    const std::size_t server = path.find_first_of("/\\", 2);
    return server == std::string::npos ? path.size() : path.find_first_of("/\\", server + 1);
}

std::error_code CreateFolder(const std::string& folder) {
    // Folders inherit the permissions of the folder above, as Windows intends
    // for a profile's own folders.
    if (::CreateDirectoryW(WidePath(folder).c_str(), nullptr) != 0 ||
        ::GetLastError() == ERROR_ALREADY_EXISTS) {
        return {};
    }
    return LastWindowsError();
}

}  // namespace

std::error_code CreateMissingFoldersFor(const std::string& path) {
    // Each folder from the top down; the last component is the file itself.
    const std::size_t root = RootLength(path);
    if (root == std::string::npos) {
        return {};
    }
    for (std::size_t slash = path.find_first_of("/\\", root + 1); slash != std::string::npos;
         slash = path.find_first_of("/\\", slash + 1)) {
        if (const std::error_code error = CreateFolder(path.substr(0, slash))) {
            return error;
        }
    }
    return {};
}

}  // namespace brennquist
