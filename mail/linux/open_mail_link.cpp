#include "mail/open_mail_link.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <optional>
#include <string>

#include "process/linux/helper_spawn.h"

namespace brennquist {
namespace {

// xdg-open hands a link over and ends at once when a mail program is already
// running, but stays as long as the one it starts; past this it is taken as
// handed over.
constexpr std::chrono::milliseconds kHandOverTime{3000};
constexpr char kTaken = 'y';
constexpr char kNoProgram = 'n';
constexpr char kFailed = 'f';
// What the opener's exit status means, as xdg-open documents it: 3 when no
// program is set up for the link, 4 when the one set up failed, 1 and 2 for a
// call it could not take. The opener ends as a shell does where xdg-open could
// not be started: 127 when it is missing, which leaves nothing to take the
// link either, 126 when it is there but cannot run (no execute permission, a
// link longer than one argument may be).
constexpr int kNoHandlerFound = 3;
constexpr int kNotFound = 127;
constexpr int kCannotRun = 126;

// The verdict for the opener's end, as waitpid reported it.
char VerdictOf(int status) {
    const std::optional<int> code = ExitCodeOf(status);
    if (!code) {
        return kFailed;  // killed by a signal
    }
    switch (*code) {
        case 0:
            return kTaken;
        case kNoHandlerFound:
        case kNotFound:
            return kNoProgram;
        default:
            return kFailed;
    }
}

// Runs in a process of its own, forked from the program: only calls that are
// safe after fork. Starts xdg-open, waits for it and writes one byte on
// `report` telling what became of the link.
[[noreturn]] void StartAndWatch(char* const* argv, int report) {
    // Neither the watcher nor the mail program it leads to holds the X
    // connection, files and sockets of the program after it has ended.
    CloseDescriptorsAfterFork(report);
    const pid_t opener = ::fork();
    if (opener == 0) {
        ::execvp(argv[0], argv);
        ::_exit(errno == ENOENT ? kNotFound : kCannotRun);
    }
    // Neither does the watcher keep the program's standard streams: a terminal
    // or a pipe that waits for the program's output is not held open by it.
    for (const int standard : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (standard != report) {
            ::close(standard);
        }
    }
    int status = 0;
    pid_t waited = -1;
    do {
        waited = opener > 0 ? ::waitpid(opener, &status, 0) : -1;
    } while (waited < 0 && errno == EINTR);
    const char verdict = waited == opener ? VerdictOf(status) : kFailed;
    static_cast<void>(::write(report, &verdict, 1));
    ::_exit(0);
}

// What the byte the watcher writes says; handed over when the time ran out
// first.
bool AwaitReadable(const int report, const std::chrono::steady_clock::time_point deadline,
                   const AwaitHandOver& await) {
    if (await) {
        return await(report, deadline);
    }
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{.fd = report, .events = POLLIN, .revents = 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(std::max<long>(left.count(), 0)));
        if (polled >= 0 || errno != EINTR) {
            return polled > 0;
        }
    }
}

MailOutcome AwaitOutcome(const int report, const AwaitHandOver& await) {
    const auto deadline = std::chrono::steady_clock::now() + kHandOverTime;
    for (;;) {
        if (!AwaitReadable(report, deadline, await)) {
            return MailOutcome::HandedOver;  // still busy: taken as handed over
        }
        char verdict = kFailed;
        const ssize_t count = ::read(report, &verdict, 1);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count == 1 && verdict == kTaken) {
            return MailOutcome::HandedOver;
        }
        // No byte at all: the watcher died before it could tell, a failure too.
        return count == 1 && verdict == kNoProgram ? MailOutcome::NoMailProgram
                                                   : MailOutcome::StartFailed;
    }
}

}  // namespace

// xdg-open, looked up on PATH, gets the whole link as its only argument. It is
// started directly, without a shell, so no character of the typed texts is
// ever interpreted; the argument reaches it byte for byte. A short-lived
// starter process forks the watcher and ends at once, so neither xdg-open nor
// the watcher is ever left for the program to collect, whenever they end.
MailOutcome OpenMailLink(std::string_view link, const AwaitHandOver& await) {
    std::string program = "xdg-open";
    std::string argument(link);
    const std::array<char*, 3> argv{program.data(), argument.data(), nullptr};
    std::array<int, 2> pipe{-1, -1};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0) {
        return MailOutcome::StartFailed;
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
    const MailOutcome outcome =
        starter > 0 ? AwaitOutcome(pipe[0], await) : MailOutcome::StartFailed;
    ::close(pipe[0]);
    return outcome;
}

// xdg-open runs apart from the program already: no helper of its own.
std::optional<int> AnswerAsMailHelper(int /*argc*/, const char* const* /*argv*/) {
    return std::nullopt;
}

}  // namespace brennquist
