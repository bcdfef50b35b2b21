#pragma once

// The test program as if started from a shell: a pseudo-terminal of its own is
// its controlling terminal, standard input and standard error, so that
// anything that asks on the terminal (a password prompt) shows on the
// terminal's other end. main() sets it up before any thread runs: the process
// forks, and the child, in a new session, runs the tests while the parent
// waits for it. A thread in the child reads the other end, keeps what it
// shows for the tests and passes it on to the real standard error; it answers
// a prompt (text without a line end) with an empty line, so that a program
// that asks is not held for ever. As root, the child also gets mounts of its
// own, so that a test may put its own file over a system file.
#include <fcntl.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace brennquist::testing {

class OwnTerminal {
  public:
    static OwnTerminal& Get() {
        static OwnTerminal terminal;
        return terminal;
    }

    // How much the terminal has shown so far, as a mark for ShownSince.
    [[nodiscard]] std::size_t Mark() {
        const std::lock_guard lock(mutex_);
        return shown_.size();
    }

    [[nodiscard]] std::string ShownSince(const std::size_t mark) {
        const std::lock_guard lock(mutex_);
        return shown_.substr(std::min(mark, shown_.size()));
    }

    [[nodiscard]] bool PrivateMounts() const { return privateMounts_; }

    // In the parent: the child's exit status, once it has run the tests. In
    // the child: nullopt, with the terminal set up.
    std::optional<int> Start() {
        const pid_t child = ::fork();
        if (child < 0) {
            return 1;
        }
        if (child > 0) {
            int status = 0;
            while (::waitpid(child, &status, 0) < 0) {
            }
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // ends with the test run, killed or not
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 || ::setsid() < 0) {
            std::abort();
        }
        // The first terminal a session leader opens becomes its controlling one.
        const int slave = ::open(::ptsname(master_), O_RDWR);
        realStderr_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
        if (slave < 0 || realStderr_ < 0 || ::dup2(slave, STDIN_FILENO) < 0 ||
            ::dup2(slave, STDERR_FILENO) < 0) {
            std::abort();
        }
        // No echo: the empty answers would otherwise come back as new output.
        termios settings{};
        ::tcgetattr(slave, &settings);
        settings.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(slave, TCSANOW, &settings);
        ::close(slave);
        privateMounts_ = ::unshare(CLONE_NEWNS) == 0 &&
                         ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        std::thread([this] { Relay(); }).detach();
        return std::nullopt;
    }

  private:
    OwnTerminal() = default;

    void Relay() {
        std::array<char, 4096> buffer{};
        for (;;) {
            const ssize_t count = ::read(master_, buffer.data(), buffer.size());
            if (count <= 0) {
                return;
            }
            const auto size = static_cast<std::size_t>(count);
            {
                const std::lock_guard lock(mutex_);
                shown_.append(buffer.data(), size);
            }
            [[maybe_unused]] const ssize_t passed = ::write(realStderr_, buffer.data(), size);
            if (buffer[size - 1] != '\n') {
                [[maybe_unused]] const ssize_t answered = ::write(master_, "\n", 1);
            }
        }
    }

    int master_ = -1;
    int realStderr_ = -1;
    bool privateMounts_ = false;
    std::mutex mutex_;
    std::string shown_;
};

}  // namespace brennquist::testing
