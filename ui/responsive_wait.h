#pragma once

#include <chrono>
#include <cstdint>

namespace brennquist {

// Waits until `waitable` is ready or the deadline passes, and tells whether it
// became ready: on Linux a file descriptor that has something to read (or was
// closed), on Windows a handle that is signalled. Meanwhile the window goes on
// handling its events: it repaints and answers the desktop's "are you there",
// while the user's input (clicks, keys, closing) is held back until the
// caller has finished. Needs a running QApplication.
[[nodiscard]] bool AwaitResponsively(std::intptr_t waitable,
                                     std::chrono::steady_clock::time_point deadline);

}  // namespace brennquist
