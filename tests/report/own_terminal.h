#pragma once

// The test program as if started from a shell: a pseudo-terminal is its
// controlling terminal, standard input, output and error, so that anything
// that asks on the terminal (a password prompt) shows there. main() sets it up
// before any thread runs: the process forks, and the child, in a new session
// with the terminal, runs the tests. The parent holds the terminal's other end:
// it passes everything shown on to its own standard output, sends a copy to
// the child for the tests to look at, and answers a prompt (output without a
// line end that stays unanswered) with empty lines, so that a program that
// asks is not held for ever. As root, the child also gets mounts of its own, so
// that a test may put its own file over a system file.
#include <fcntl.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace brennquist::testing {

class OwnTerminal {
  public:
    // Never destroyed: the thread that records the terminal's copy runs on
    // while the process ends.
    static OwnTerminal& Get() {
        static OwnTerminal* const terminal = new OwnTerminal;
        return *terminal;
    }

    // Writes `line` on the terminal and waits, five seconds at most, until
    // the copy of what it shows holds it: everything written before is in
    // the copy then. Gives where the line starts and ends in the copy.
    std::pair<std::size_t, std::size_t> Sync(const std::string& line) {
        std::cout << line << std::endl;  // flushed: it must reach the terminal now
        for (int wait = 0; wait < kSyncSteps; ++wait) {
            {
                const std::lock_guard lock(mutex_);
                if (const std::size_t at = shown_.find(line, searched_); at != std::string::npos) {
                    searched_ = at + line.size();
                    return {at, searched_};
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kSyncStepMilliseconds));
        }
        return {std::string::npos, std::string::npos};
    }

    // What the terminal showed between two Sync() lines.
    [[nodiscard]] std::string Between(const std::pair<std::size_t, std::size_t>& first,
                                      const std::pair<std::size_t, std::size_t>& second) {
        const std::lock_guard lock(mutex_);
        if (first.second > second.first || second.first > shown_.size()) {
            return "(lost track of the terminal)";
        }
        std::string shown = shown_.substr(first.second, second.first - first.second);
        shown.erase(0, shown.find_first_not_of("\r\n"));  // the first line's end
        return shown;
    }

    [[nodiscard]] bool PrivateMounts() const { return privateMounts_; }

    // In the parent: the child's exit status, once it has run the tests. In
    // the child: nullopt, with the terminal set up.
    std::optional<int> Start() {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        std::array<int, 2> copy{-1, -1};
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
            ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, copy.data()) != 0) {
            return 1;
        }
        const std::string slaveName = ::ptsname(master);
        const pid_t child = ::fork();
        if (child < 0) {
            return 1;
        }
        if (child > 0) {
            ::close(copy[1]);
            return Serve(master, copy[0], child);
        }
        ::close(master);
        ::close(copy[0]);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // NOLINT: ends with the test run, killed or not
        // The first terminal a session leader opens becomes its controlling one.
        const int slave = ::setsid() < 0 ? -1 : ::open(slaveName.c_str(), O_RDWR);  // NOLINT
        if (slave < 0 || ::dup2(slave, STDIN_FILENO) < 0 || ::dup2(slave, STDOUT_FILENO) < 0 ||
            ::dup2(slave, STDERR_FILENO) < 0) {
            std::abort();
        }
        ::close(slave);
        privateMounts_ = ::unshare(CLONE_NEWNS) == 0 &&
                         ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        std::thread([this, from = copy[1]] { Record(from); }).detach();
        return std::nullopt;
    }

  private:
    static constexpr int kPromptPatienceMilliseconds = 300;
    static constexpr int kSyncSteps = 500;
    static constexpr int kSyncStepMilliseconds = 10;

    OwnTerminal() = default;

    // The parent's part, until the child has ended and the terminal is quiet.
    static int Serve(const int master, const int copy, const pid_t child) {
        std::array<char, 4096> buffer{};
        bool prompting = false;
        std::optional<int> status;
        for (;;) {
            pollfd readable{master, POLLIN, 0};
            const int ready = ::poll(&readable, 1, kPromptPatienceMilliseconds);
            if (ready == 0) {
                if (status) {
                    return *status;
                }
                int raw = 0;
                if (::waitpid(child, &raw, WNOHANG) == child) {
                    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
                } else if (prompting) {
                    [[maybe_unused]] const ssize_t answered = ::write(master, "\n", 1);
                }
                continue;
            }
            const ssize_t count = ready < 0 ? 0 : ::read(master, buffer.data(), buffer.size());
            if (count <= 0) {  // every end of the terminal closed: the child is gone
                int raw = 0;
                while (!status && ::waitpid(child, &raw, 0) < 0) {
                }
                return status ? *status : WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            }
            const auto size = static_cast<std::size_t>(count);
            [[maybe_unused]] const ssize_t passed = ::write(STDOUT_FILENO, buffer.data(), size);
            [[maybe_unused]] const ssize_t copied = ::send(copy, buffer.data(), size, MSG_NOSIGNAL);
            prompting = buffer[size - 1] != '\n';
        }
    }

    void Record(const int from) {
        std::array<char, 4096> buffer{};
        for (;;) {
            const ssize_t count = ::read(from, buffer.data(), buffer.size());
            if (count <= 0) {
                return;
            }
            const std::lock_guard lock(mutex_);
            shown_.append(buffer.data(), static_cast<std::size_t>(count));
        }
    }

    bool privateMounts_ = false;
    std::mutex mutex_;
    std::string shown_;
    std::size_t searched_ = 0;
};

}  // namespace brennquist::testing
