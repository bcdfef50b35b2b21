#pragma once

#include <string>
#include <string_view>

namespace brennquist {

// Windows-1252, the ANSI code page of German Windows systems, so that settings
// files travel unchanged between that platform and this one.

// UTF-8 to Windows-1252. A character the code page cannot hold becomes one '?';
// so does every ill-formed UTF-8 sequence (one '?' per maximal ill-formed part).
std::string EncodeWindows1252(std::string_view utf8);

// Windows-1252 to UTF-8. Every byte has a meaning: the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the
// same number, as Windows itself converts them, so that they survive a round trip.
std::string DecodeWindows1252(std::string_view bytes);

}  // namespace brennquist
