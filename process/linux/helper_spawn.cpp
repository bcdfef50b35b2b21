#include "process/linux/helper_spawn.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

extern char** environ;  // NOLINT: the process's environment, handed on to the helper

namespace brennquist {
namespace {

// posix_spawn's attributes and file actions, released however the start ends.
class SpawnSettings {
  public:
    SpawnSettings() {
        posix_spawn_file_actions_init(&actions_);
        posix_spawnattr_init(&attributes_);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
    SpawnSettings(SpawnSettings&&) = delete;
    SpawnSettings& operator=(SpawnSettings&&) = delete;
    ~SpawnSettings() {
        posix_spawnattr_destroy(&attributes_);
        posix_spawn_file_actions_destroy(&actions_);
    }

    posix_spawn_file_actions_t actions_{};
    posix_spawnattr_t attributes_{};
};

}  // namespace

std::optional<pid_t> SpawnHelper(std::vector<std::string> arguments,
                                 const std::span<const HandedDescriptor> handed,
                                 const bool ownSession) {
    SpawnSettings settings;
    int firstClosed = STDERR_FILENO + 1;
    for (const HandedDescriptor& descriptor : handed) {
        posix_spawn_file_actions_adddup2(&settings.actions_, descriptor.from, descriptor.as);
        firstClosed = std::max(firstClosed, descriptor.as + 1);
    }
    posix_spawn_file_actions_addclosefrom_np(&settings.actions_, firstClosed);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&settings.attributes_, &none);
    const short flags = POSIX_SPAWN_SETSIGMASK | (ownSession ? POSIX_SPAWN_SETSID : 0);
    posix_spawnattr_setflags(&settings.attributes_, flags);

    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argv.front(), &settings.actions_, &settings.attributes_,
                                   argv.data(), environ);
    if (error != 0) {
        errno = error;
        return std::nullopt;
    }
    return pid;
}

void CloseDescriptorsAfterFork(const int keep) {
    constexpr unsigned kFirstOwn = STDERR_FILENO + 1;
    const auto kept = static_cast<unsigned>(keep);
    const bool below = kept <= kFirstOwn || ::close_range(kFirstOwn, kept - 1, 0) == 0;
    if (below && ::close_range(std::max(kFirstOwn, kept + 1), ~0U, 0) == 0) {
        return;
    }
    // A kernel without close_range: every number up to the process's limit.
    const long limit = ::sysconf(_SC_OPEN_MAX);
    for (long fd = kFirstOwn; fd < limit; ++fd) {
        if (fd != keep) {
            ::close(static_cast<int>(fd));
        }
    }
}

std::optional<int> ExitCodeOf(const int status) {
    return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
}

}  // namespace brennquist
