#include "mail/open_mail_link.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <string>

namespace brennquist {
namespace {

// xdg-open hands a link over and ends at once when a mail program is already
// running, but stays as long as the one it starts; past this it is taken as
// handed over.
constexpr std::chrono::milliseconds kHandOverTime{3000};
constexpr char kTaken = 'y';
constexpr char kNotTaken = 'n';
constexpr int kCannotStart = 127;

// Runs in a process of its own, forked from the program: only calls that are
// safe after fork. Starts xdg-open, waits for it and writes one byte on
// `report` telling whether it took the link.
[[noreturn]] void StartAndWatch(char* const* argv, int report) {
    const pid_t opener = ::fork();
    if (opener == 0) {
        ::execvp(argv[0], argv);
        ::_exit(kCannotStart);
    }
    // The watcher keeps nothing of the program's own: a terminal or a pipe
    // that waits for the program's output is not held open by it.
    for (const int standard : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        ::close(standard);
    }
    int status = 0;
    pid_t waited = -1;
    do {
        waited = opener > 0 ? ::waitpid(opener, &status, 0) : -1;
    } while (waited < 0 && errno == EINTR);
    const bool taken = waited == opener && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    const char verdict = taken ? kTaken : kNotTaken;
    static_cast<void>(::write(report, &verdict, 1));
    ::_exit(0);
}

// The byte the watcher writes, or nothing when the time ran out first.
int AwaitVerdict(int report) {
    const auto deadline = std::chrono::steady_clock::now() + kHandOverTime;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{.fd = report, .events = POLLIN, .revents = 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(std::max<long>(left.count(), 0)));
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0) {
            return -1;  // still busy: taken as handed over
        }
        char verdict = kNotTaken;
        const ssize_t count = ::read(report, &verdict, 1);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        return count == 1 ? verdict : kNotTaken;  // no byte: the watcher died
    }
}

}  // namespace

// xdg-open, looked up on PATH, gets the whole link as its only argument. It is
// started directly, without a shell, so no character of the typed texts is
// ever interpreted; the argument reaches it byte for byte. A short-lived
// starter process forks the watcher and ends at once, so neither xdg-open nor
// the watcher is ever left for the program to collect, whenever they end.
bool OpenMailLink(std::string_view link) {
    std::string program = "xdg-open";
    std::string argument(link);
    const std::array<char*, 3> argv{program.data(), argument.data(), nullptr};
    std::array<int, 2> pipe{-1, -1};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t starter = ::fork();
    if (starter == 0) {
        ::close(pipe[0]);
        if (::fork() == 0) {
            StartAndWatch(argv.data(), pipe[1]);
        }
        ::_exit(0);
    }
    ::close(pipe[1]);
    int status = 0;
    while (starter > 0 && ::waitpid(starter, &status, 0) < 0 && errno == EINTR) {
    }
    const int verdict = starter > 0 ? AwaitVerdict(pipe[0]) : kNotTaken;
    ::close(pipe[0]);
    return verdict != kNotTaken;
}

// xdg-open runs apart from the program already: no helper of its own.
std::optional<int> AnswerAsMailHelper(int /*argc*/, const char* const* /*argv*/) {
    return std::nullopt;
}

}  // namespace brennquist
