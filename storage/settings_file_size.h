#pragma once

#include <cstddef>

namespace brennquist {

// The nine lines the program writes are short texts, 55 bytes for the start
// values; even texts pasted into every field stay far below this. A file that
// needs more to give its nine lines is no settings file (another file copied in
// its place, a sparse file without a line end): read whole, it would stall the
// program and fill the memory. The reader stops here, and so does a save that
// keeps the old content to put it back.
inline constexpr std::size_t kMostSettingsFileBytes = std::size_t{64} * 1024;

}  // namespace brennquist
