#pragma once

#include <string>
#include <system_error>

namespace brennquist {

// The folder part of a path: everything before the last slash; "." when
// there is none.
std::string FolderOf(const std::string& path);

// The file that writing to `path` reaches: `path` itself, or, when it is a
// symbolic link, the file its links lead to, relative links taken from the
// folder of the link. A dangling link gives the missing file it points to, so
// writing creates it and the link works again. Fails on a link loop or when
// the path cannot be examined.
std::error_code ResolveLinks(const std::string& path, std::string& target);

}  // namespace brennquist
