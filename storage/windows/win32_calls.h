#pragma once

#include <windows.h>

namespace brennquist {

// The Win32 calls of a save whose answers Wine does not give as Windows does
// (a drive root or a mounted folder refusing a new folder, a replace or a
// move refused on a network share or failing half-way, a folder refusing new
// files to root, a full disk, a symbolic link's end). The program uses
// Windows' own; a test puts in ones that answer as Windows documents and puts
// the old ones back.
struct Win32Calls {
    decltype(&::CreateDirectoryW) createDirectory = &::CreateDirectoryW;
    decltype(&::ReplaceFileW) replaceFile = &::ReplaceFileW;
    decltype(&::MoveFileExW) moveFile = &::MoveFileExW;
    decltype(&::CreateFileW) createNewFile = &::CreateFileW;  // the temporary file only
    decltype(&::WriteFile) writeFile = &::WriteFile;
    decltype(&::GetFinalPathNameByHandleW) finalPathOf = &::GetFinalPathNameByHandleW;
};

Win32Calls& Win32();

}  // namespace brennquist
