#pragma once

// Win32 calls of a save answering as Microsoft documents them where Wine
// answers otherwise, put into Win32() while a StandIns lives.
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "storage/windows/win32_calls.h"

namespace brennquist::testing {

struct Answers {
    DWORD replaceError = 0;           // ReplaceFileW fails with this
    DWORD moveError = 0;              // MoveFileExW fails with this; 0: Windows' own
    int failingWrites = 0;            // so many first WriteFile calls find the disk full
    bool refuseNewFiles = false;      // the folder refuses new files, even to an administrator
    const char* recreated = nullptr;  // put at the replaced name once it is moved away
};

inline Answers answers;

// 1177 leaves the replaced file under the backup name; every other error
// leaves both files under their own names.
inline BOOL WINAPI FailingReplace(LPCWSTR replaced, LPCWSTR /*replacement*/, LPCWSTR backup,
                                  DWORD /*flags*/, LPVOID /*exclude*/, LPVOID /*reserved*/) {
    if (answers.replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        ::MoveFileW(replaced, backup);
        if (answers.recreated != nullptr) {
            std::ofstream(std::filesystem::path(replaced), std::ios::binary) << answers.recreated;
        }
    }
    ::SetLastError(answers.replaceError);
    return FALSE;
}

inline BOOL WINAPI RefusedMove(LPCWSTR /*from*/, LPCWSTR /*to*/, DWORD /*flags*/) {
    ::SetLastError(answers.moveError);
    return FALSE;
}

inline HANDLE WINAPI RefuseNewFiles(LPCWSTR /*name*/, DWORD /*access*/, DWORD /*share*/,
                                    LPSECURITY_ATTRIBUTES /*security*/, DWORD /*disposition*/,
                                    DWORD /*flags*/, HANDLE /*model*/) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

inline BOOL WINAPI WriteOnAFullDisk(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written,
                                    LPOVERLAPPED overlapped) {
    if (answers.failingWrites-- > 0) {
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return ::WriteFile(file, bytes, count, written, overlapped);
}

class StandIns {  // NOLINT(*-special-member-functions): a scope, never copied
  public:
    explicit StandIns(const Answers& wanted) {
        answers = wanted;
        Win32().replaceFile = wanted.replaceError != 0 ? FailingReplace : saved_.replaceFile;
        Win32().moveFile = wanted.moveError != 0 ? RefusedMove : saved_.moveFile;
        Win32().writeFile = wanted.failingWrites != 0 ? WriteOnAFullDisk : saved_.writeFile;
        Win32().createNewFile = wanted.refuseNewFiles ? RefuseNewFiles : saved_.createNewFile;
    }
    ~StandIns() { Win32() = saved_; }

  private:
    Win32Calls saved_ = Win32();
};

}  // namespace brennquist::testing
