#include "storage/windows/wide_path.h"

#include <windows.h>

namespace brennquist {

std::wstring WidePath(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const int size = static_cast<int>(path.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.data(), size, wide.data(), length);
    return wide;
}

std::error_code LastWindowsError() {
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

}  // namespace brennquist
