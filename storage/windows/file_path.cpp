// Windows paths: either slash separates folders. Links are left to Windows,
// which follows them when a file is opened.
#include "storage/file_path.h"

namespace brennquist {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::error_code ResolveLinks(const std::string& path, std::string& target) {
    target = path;
    return {};
}

}  // namespace brennquist
