#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace brennquist {

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }
};
// Owns one handle of a process or job and closes it on destruction.
using Handle = std::unique_ptr<void, HandleCloser>;

// A started helper: its process and, where it ends with the window, its job.
struct StartedHelper {
    Handle job;
    Handle process;
};

// Starts `program` with `commandLine` (command_line.h), without a console
// window. One that ends with its window runs in a job of its own that ends it,
// and everything it started, with the window's last handle to the job,
// however the window ends; it is in the job before it runs a single
// instruction. Where Windows refuses such a job or keeps the helper out of it
// (a window that itself runs in a job which allows no nesting), the helper is
// ended before it runs, and nullopt tells the start failed, as it does when
// the program cannot be started at all.
[[nodiscard]] std::optional<StartedHelper> StartHelper(const std::filesystem::path& program,
                                                       std::wstring commandLine,
                                                       bool endsWithWindow);

}  // namespace brennquist
