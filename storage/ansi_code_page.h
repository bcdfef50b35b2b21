#pragma once

#include <string>
#include <string_view>

namespace brennquist {

// The system's ANSI code page, the one akku.dat is written in: on Windows the
// one Windows names for programs that do not use Unicode (GetACP), so a file
// reads the same in any program of that Windows; elsewhere Windows-1252, that
// of German Windows systems, so files travel unchanged to and from them.

// UTF-8 to the code page. A character the code page cannot hold becomes '?'.
std::string EncodeAnsiCodePage(std::string_view utf8);

// The code page to UTF-8.
std::string DecodeAnsiCodePage(std::string_view bytes);

}  // namespace brennquist
