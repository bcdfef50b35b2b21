#include "storage/missing_folders.h"

#include <sys/stat.h>

#include <cerrno>

#include "storage/file_descriptor.h"

namespace brennquist {
namespace {

constexpr mode_t kPrivateFolderMode = 0700;

std::error_code CreateFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), kPrivateFolderMode) == 0 || errno == EEXIST) {
        return {};
    }
    return LastSystemError();
}

}  // namespace

std::error_code CreateMissingFoldersFor(const std::filesystem::path& file) {
    const std::string& path = file.native();
    // Each folder from the top down; the last component is the file itself.
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        if (const std::error_code error = CreateFolder(path.substr(0, slash))) {
            return error;
        }
    }
    return {};
}

}  // namespace brennquist
