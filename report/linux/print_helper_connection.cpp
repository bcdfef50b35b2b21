#include "report/linux/print_helper_connection.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <string>
#include <utility>
#include <vector>

#include "process/linux/helper_spawn.h"
#include "report/linux/print_helper_protocol.h"
#include "report/print_helper.h"
#include "report/print_helper_program.h"

namespace brennquist {
namespace {

namespace words = print_helper_words;

// A helper that talks more than this is not the helper.
constexpr std::size_t kLongestLine = 256;

int MillisecondsUntil(const PrintHelperConnection::Clock::time_point deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - PrintHelperConnection::Clock::now())
            .count();
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left, 0));
}

// The words of a line after its first, as numbers; nullopt unless there are
// exactly `count` of them.
std::optional<std::vector<int>> NumbersAfterFirstWord(const std::string& line,
                                                      const std::size_t count) {
    std::vector<int> numbers;
    const char* const end = line.data() + line.size();
    const std::size_t firstBlank = line.find(' ');
    const char* next = firstBlank == std::string::npos ? end : line.data() + firstBlank;
    while (next < end && *next == ' ') {
        int number = 0;
        const auto [stop, error] = std::from_chars(next + 1, end, number);
        if (error != std::errc() || stop == next + 1) {
            return std::nullopt;
        }
        numbers.push_back(number);
        next = stop;
    }
    if (next != end || numbers.size() != count) {
        return std::nullopt;
    }
    return numbers;
}

bool StartsWithWord(const std::string& line, const std::string_view word) {
    return line == word || line.starts_with(std::string(word) + ' ');
}

// The descriptor the helper finds the PDF on, and its name there: the PDF has
// no name in the file system, so nothing of it outlives the two processes.
constexpr int kPdfDescriptor = 3;
constexpr const char* kPdfFile = "/proc/self/fd/3";
// The helper says "no answer" itself a little before its parent ends it.
constexpr std::chrono::milliseconds kHelperMargin{500};

std::string MillisecondsLeftText(const PrintHelperConnection::Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - kHelperMargin - PrintHelperConnection::Clock::now());
    return std::to_string(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

// Starts the helper program in a session of its own (so without a
// controlling terminal), talking on `helperEnd` as standard input and output
// and reading the PDF from `pdf`. It learns who its parent is, to end with it,
// and how much of the time is left.
pid_t Spawn(const int helperEnd, const int pdf, const std::string& title,
            const PrintHelperConnection::Clock::time_point deadline) {
    const std::string program = PrintHelperProgram().string();
    if (program.empty()) {
        return -1;  // not installed beside the program
    }
    const std::array<HandedDescriptor, 3> handed{
        {{helperEnd, STDIN_FILENO}, {helperEnd, STDOUT_FILENO}, {pdf, kPdfDescriptor}}};
    return SpawnHelper({program, std::string(kPrintHelperArgument), kPdfFile, title,
                        std::to_string(::getpid()), MillisecondsLeftText(deadline)},
                       handed, true)
        .value_or(-1);
}

}  // namespace

PrintHelperConnection::PrintHelperConnection(const int pdf, const std::string& title,
                                             const Clock::time_point deadline, AwaitReady await)
    : deadline_(deadline), await_(std::move(await)) {
    std::array<int, 2> ends{-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        outcome_ = PrintOutcome::JobFailed;
        return;
    }
    socket_ = ends[0];
    // dup2 onto itself would keep close-on-exec: the PDF never sits at 3 here.
    const int pdfAside =
        pdf == kPdfDescriptor ? ::fcntl(pdf, F_DUPFD_CLOEXEC, kPdfDescriptor + 1) : pdf;
    pid_ = pdfAside < 0 ? -1 : Spawn(ends[1], pdfAside, title, deadline);
    if (pdfAside != pdf && pdfAside >= 0) {
        ::close(pdfAside);
    }
    ::close(ends[1]);
    if (pid_ < 0) {
        outcome_ = PrintOutcome::JobFailed;
    }
}

PrintHelperConnection::~PrintHelperConnection() {
    End();
}

std::optional<PaperSize> PrintHelperConnection::AwaitPaper() {
    std::optional<PaperSize> paper;
    while (!outcome_ && !paper) {
        const std::optional<std::string> line = NextLine();
        if (!line || !Take(*line, paper)) {
            break;
        }
    }
    return outcome_ ? std::nullopt : paper;
}

PrintOutcome PrintHelperConnection::Print() {
    const std::string line = std::string(words::kPrint) + '\n';
    if (!outcome_ && ::send(socket_, line.data(), line.size(), MSG_NOSIGNAL) !=
                         static_cast<ssize_t>(line.size())) {
        outcome_ = PrintOutcome::JobFailed;
    }
    std::optional<PaperSize> unexpected;
    while (!outcome_) {
        const std::optional<std::string> next = NextLine();
        if (!next || !Take(*next, unexpected) || unexpected) {
            break;
        }
    }
    End();
    return Outcome();
}

// Once the exchange has ended without an outcome from the helper: a helper
// still busy at the deadline has either not reached the service (a name
// look-up, a connection that never comes about) or waits for its answer.
PrintOutcome PrintHelperConnection::Outcome() const {
    if (outcome_) {
        return *outcome_;
    }
    if (Clock::now() >= deadline_) {
        return connected_ ? PrintOutcome::NoAnswer : PrintOutcome::ServiceUnreachable;
    }
    return PrintOutcome::JobFailed;  // the helper ended without a word
}

// The next line from the helper; nullopt when it ended, talks nonsense or the
// deadline has passed.
std::optional<std::string> PrintHelperConnection::NextLine() {
    std::array<char, kLongestLine> buffer{};
    for (;;) {
        if (const std::size_t end = received_.find('\n'); end != std::string::npos) {
            std::string line = received_.substr(0, end);
            received_.erase(0, end + 1);
            return line;
        }
        if (socket_ < 0 || received_.size() > kLongestLine) {
            return std::nullopt;
        }
        if (!AwaitReadable()) {
            return std::nullopt;
        }
        const ssize_t count = ::read(socket_, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return std::nullopt;
        }
        received_.append(buffer.data(), static_cast<std::size_t>(count));
    }
}

// Whether the helper said something (or ended) before the deadline.
bool PrintHelperConnection::AwaitReadable() {
    if (await_) {
        return await_(socket_, deadline_);
    }
    for (;;) {
        pollfd readable{socket_, POLLIN, 0};
        const int ready = ::poll(&readable, 1, MillisecondsUntil(deadline_));
        if (ready >= 0 || errno != EINTR) {
            return ready > 0;
        }
    }
}

// Takes one line of the helper into account; false when it is not one the
// helper says.
bool PrintHelperConnection::Take(const std::string& line, std::optional<PaperSize>& paper) {
    if (line == words::kConnected) {
        connected_ = true;
        return true;
    }
    if (StartsWithWord(line, words::kPaper)) {
        const auto numbers = NumbersAfterFirstWord(line, 6);
        if (numbers) {
            const std::vector<int>& n = *numbers;
            paper = PaperSize{n[0], n[1], n[2], n[3], n[4], n[5]};
        }
        return numbers.has_value();
    }
    if (StartsWithWord(line, words::kOutcome)) {
        const auto number = NumbersAfterFirstWord(line, 1);
        constexpr int kLast = static_cast<int>(PrintOutcome::AuthenticationRequired);
        if (number && number->front() >= 0 && number->front() <= kLast) {
            outcome_ = static_cast<PrintOutcome>(number->front());
            return true;
        }
    }
    return false;
}

// Lets the helper finish on its own until the deadline (it ends once told
// nothing more is coming) and then ends it, with everything it started.
void PrintHelperConnection::End() {
    if (socket_ >= 0) {
        ::shutdown(socket_, SHUT_WR);
        while (NextLine()) {
        }
        ::close(socket_);
        socket_ = -1;
    }
    if (pid_ > 0) {
        if (::waitpid(pid_, nullptr, WNOHANG) != pid_) {
            ::kill(-pid_, SIGKILL);  // the helper's session: all it may have started
            ::kill(pid_, SIGKILL);
            while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
        pid_ = -1;
    }
}

}  // namespace brennquist
