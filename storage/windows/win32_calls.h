#pragma once

#include <windows.h>

namespace brennquist {

// The Win32 calls of a save whose rare answers no test machine gives at will
// (a drive root refusing a new folder, a replace failing half-way). The
// program uses Windows' own; a test puts in ones that answer as Windows
// documents and puts the old ones back.
struct Win32Calls {
    decltype(&::CreateDirectoryW) createDirectory = &::CreateDirectoryW;
    decltype(&::ReplaceFileW) replaceFile = &::ReplaceFileW;
};

Win32Calls& Win32();

}  // namespace brennquist
