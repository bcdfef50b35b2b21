#pragma once

#include <sys/types.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brennquist {

// A descriptor of this process that the helper gets under another number.
struct HandedDescriptor {
    int from;
    int as;
};

// Starts `arguments[0]` (looked up on PATH when it holds no slash) with these
// arguments. The helper gets its standard streams as they are here, except
// where `handed` replaces them, and the handed descriptors, but none other of
// this process (the window's X connection, files and sockets never reach it);
// its signal mask is cleared, and `ownSession` puts it in a session of its
// own, without a controlling terminal. Its process id; or nullopt, with errno
// telling why it did not start (ENOENT: no such program; E2BIG: arguments
// longer than the system takes; EACCES: not to be run).
[[nodiscard]] std::optional<pid_t> SpawnHelper(std::vector<std::string> arguments,
                                               std::span<const HandedDescriptor> handed,
                                               bool ownSession);

// In a child forked from the program, before it does anything else: closes
// every descriptor but the three standard ones and `keep`. Only calls that are
// safe after fork.
void CloseDescriptorsAfterFork(int keep);

// The helper's exit code, from waitpid's status; nullopt where a signal
// ended it.
[[nodiscard]] std::optional<int> ExitCodeOf(int status);

}  // namespace brennquist
