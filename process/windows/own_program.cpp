#include "process/own_program.h"

#include <windows.h>

#include <string>

namespace brennquist {

std::filesystem::path OwnProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // cut off: a longer path
    }
}

}  // namespace brennquist
