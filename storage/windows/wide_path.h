#pragma once

#include <string>
#include <system_error>

namespace brennquist {

// Paths reach storage/ as narrow strings in the ANSI code page, as Qt hands
// file names to narrow Windows calls; the wide Windows calls take UTF-16.
// Characters the code page cannot hold never reach this point.
[[nodiscard]] std::wstring WidePath(const std::string& path);

// GetLastError() as an error code.
[[nodiscard]] std::error_code LastWindowsError();

}  // namespace brennquist
