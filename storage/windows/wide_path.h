#pragma once

#include <system_error>

namespace brennquist {

// Paths reach the wide Windows calls as std::filesystem::path, UTF-16 from
// the window on, so no name depends on what the ANSI code page can hold.

// A Win32 error as an error code.
[[nodiscard]] std::error_code WindowsError(unsigned long code);

// GetLastError() as an error code.
[[nodiscard]] std::error_code LastWindowsError();

}  // namespace brennquist
