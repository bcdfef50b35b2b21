#include "storage/windows/wide_path.h"

#include <windows.h>

namespace brennquist {

std::error_code WindowsError(const unsigned long code) {
    return {static_cast<int>(code), std::system_category()};
}

std::error_code LastWindowsError() {
    return WindowsError(::GetLastError());
}

}  // namespace brennquist
