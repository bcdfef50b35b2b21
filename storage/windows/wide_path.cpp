#include "storage/windows/wide_path.h"

#include <windows.h>

namespace brennquist {

std::error_code LastWindowsError() {
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

}  // namespace brennquist
