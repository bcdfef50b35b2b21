#include "storage/file_path.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "storage/file_descriptor.h"

namespace brennquist {
namespace {

constexpr int kMaxLinkHops = 40;  // as many as the kernel follows

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::error_code ResolveLinks(const std::string& path, std::string& target) {
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0) {
            if (errno != ENOENT) {
                return LastSystemError();
            }
            target = current;  // nothing there yet: the file to create
            return {};
        }
        if (!S_ISLNK(status.st_mode)) {
            target = current;
            return {};
        }
        std::error_code error;
        const std::string link = std::filesystem::read_symlink(current, error).string();
        if (error) {
            return error;
        }
        if (link.starts_with('/')) {
            current = link;
        } else {
            current = FolderOf(current);
            current += '/';
            current += link;
        }
    }
    return std::make_error_code(std::errc::too_many_symbolic_link_levels);
}

}  // namespace brennquist
