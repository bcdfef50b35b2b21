#include "report/print_helper.h"

#include <cups/cups.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <fstream>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "report/linux/print_helper_protocol.h"
#include "report/linux/print_queue.h"

namespace brennquist {
namespace {

namespace words = print_helper_words;

// Nobody is there to type a password: the request is reported instead.
const char* RefusePassword(const char* /*prompt*/, http_t* /*http*/, const char* /*method*/,
                           const char* /*resource*/, void* /*data*/) {
    return nullptr;
}

// One line to the parent on standard output; a parent that is gone is no
// reason to stop early, it ends the helper anyway.
void Tell(const std::string& line) {
    const std::string text = line + '\n';
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = ::write(STDOUT_FILENO, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return;
        }
        written += static_cast<std::size_t>(count);
    }
}

int Finish(const PrintOutcome outcome) {
    Tell(std::string(words::kOutcome) + ' ' + std::to_string(static_cast<int>(outcome)));
    return 0;
}

// True once the parent has said "print"; false when it closed the socket or
// said anything else, as when drawing the page failed.
bool WaitForGoAhead() {
    std::string line;
    char next = 0;
    while (line.size() <= words::kPrint.size()) {
        const ssize_t count = ::read(STDIN_FILENO, &next, 1);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0 || next == '\n') {
            break;
        }
        line += next;
    }
    return line == words::kPrint;
}

std::string PaperLine(const PaperSize& paper) {
    std::string line(words::kPaper);
    for (const int value :
         {paper.width, paper.length, paper.left, paper.bottom, paper.right, paper.top}) {
        line += ' ' + std::to_string(value);
    }
    return line;
}

// The helper's data memory in kB ("VmData" in /proc/self/status), 0 when
// unknown.
unsigned long DataSizeKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string name;
    unsigned long kilobytes = 0;
    while (status >> name) {
        if (name == "VmData:" && status >> kilobytes) {
            return kilobytes;
        }
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return 0;
}

// An answer without end from a fast server must not take the machine's
// memory in the time the helper has: its data may grow by this much, no
// more, beyond what it holds at the start (much under a sanitizer).
void LimitMemoryGrowth() {
    constexpr rlim_t kGrowth = rlim_t{256} << 20U;
    const rlim_t limit = rlim_t{DataSizeKilobytes()} * 1024U + kGrowth;
    const rlimit data{.rlim_cur = limit, .rlim_max = limit};
    ::setrlimit(RLIMIT_DATA, &data);
}

// The kernel ends the helper when its parent ends, however that ends (a
// crash, a logout, kill -9): nothing is left holding the print service's
// connection. A parent gone before that was asked for has left the helper to
// another; then it ends at once.
bool EndsWithParent(const pid_t parent) {
    return ::prctl(PR_SET_PDEATHSIG, SIGKILL) == 0 && ::getppid() == parent;
}

// The time the window has left for the helper, never more than its own limit.
std::optional<std::chrono::milliseconds> TimeLimit(const char* millisecondsLeft) {
    const std::string_view text(millisecondsLeft);
    long long left = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), left);
    if (error != std::errc{} || end != text.data() + text.size() || left < 0) {
        return std::nullopt;
    }
    return std::min(std::chrono::milliseconds(left), kPrintHelperTimeLimit);
}

std::optional<pid_t> ProcessId(const char* text) {
    const std::string_view digits(text);
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc{} || end != digits.data() + digits.size() || pid <= 1) {
        return std::nullopt;
    }
    return pid;
}

int ServeAsPrintHelper(const std::string& pdfFile, const std::string& title,
                       const std::chrono::milliseconds limit) {
    LimitMemoryGrowth();
    cupsSetPasswordCB2(RefusePassword, nullptr);
    PrintQueueSession session(limit);
    if (!session.Connect()) {
        return Finish(session.Failure());
    }
    Tell(std::string(words::kConnected));
    PaperSize paper;
    if (!session.FindDefaultPrinter() || !session.LookUpPaper(paper)) {
        return Finish(session.Failure());
    }
    Tell(PaperLine(paper));
    if (!WaitForGoAhead()) {
        return 0;
    }
    return Finish(session.Submit(pdfFile, title) ? PrintOutcome::Printed : session.Failure());
}

}  // namespace

std::optional<int> AnswerAsPrintHelper(const int argc, const char* const* argv) {
    // program, the helper argument, PDF file, title, parent, milliseconds left
    constexpr int kArguments = 6;
    const std::span arguments(argv, argc > 0 ? static_cast<std::size_t>(argc) : 0);
    if (arguments.size() < 2 || arguments[1] != kPrintHelperArgument) {
        return std::nullopt;
    }
    if (arguments.size() != kArguments) {
        return 2;
    }
    const std::optional<pid_t> parent = ProcessId(arguments[4]);
    const std::optional<std::chrono::milliseconds> limit = TimeLimit(arguments[5]);
    if (!parent || !limit) {
        return 2;
    }
    if (!EndsWithParent(*parent)) {
        return 1;
    }
    return ServeAsPrintHelper(arguments[2], arguments[3], *limit);
}

}  // namespace brennquist
