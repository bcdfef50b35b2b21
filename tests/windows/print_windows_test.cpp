// Drucken on Windows, where no printer is set up (the test's Wine prefix sees
// no print service): the same message as on Linux, at once, and the window
// stays as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "report/print_helper_program.h"
#include "report/report_texts_record.h"
#include "process/windows/job_object_calls.h"
#include "report/windows/print_helper_launch.h"
#include "tests/ui/window_fixture.h"
#include "ui/responsive_wait.h"

namespace brennquist {
namespace {

class PrintWindowsTest : public WindowTest {};

TEST_F(PrintWindowsTest, WithoutADefaultPrinterDruckenSaysSoWithinTenSeconds) {
    ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull()) << "the test needs a machine without one";
    Start();
    boxes_.shown.clear();  // the notice about the missing akku.dat
    const QString seriesBefore = Find<QLineEdit>("txtReihe").text();
    QElapsedTimer clock;
    clock.start();

    QTest::mouseClick(&Find<QPushButton>("cmdPrint"), Qt::LeftButton);

    EXPECT_LT(clock.elapsed(), 10000);
    const ShownBox expected{QStringLiteral("Der Bericht konnte nicht gedruckt werden: Es ist kein "
                                           "Standarddrucker eingerichtet."),
                            QStringLiteral("Hinweis"), QMessageBox::Warning};
    EXPECT_EQ(boxes_.shown, std::vector<ShownBox>({expected}));
    EXPECT_EQ(Find<QLineEdit>("txtReihe").text(), seriesBefore);
}

// A pipe whose other end never writes: the helper, reading its texts from
// it, waits as it would for a print server that never answers.
class SilentPipe {
  public:
    SilentPipe()
        : path_(L"\\\\.\\pipe\\brennquist-print-test-" + std::to_wstring(::GetCurrentProcessId())),
          pipe_(::CreateNamedPipeW(path_.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                   4096, 4096, 0, nullptr)) {}
    SilentPipe(const SilentPipe&) = delete;
    SilentPipe& operator=(const SilentPipe&) = delete;
    SilentPipe(SilentPipe&&) = delete;
    SilentPipe& operator=(SilentPipe&&) = delete;
    ~SilentPipe() {
        if (pipe_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(pipe_);
        }
    }

    [[nodiscard]] bool Made() const { return pipe_ != INVALID_HANDLE_VALUE; }
    [[nodiscard]] HANDLE Handle() const { return pipe_; }
    [[nodiscard]] const std::wstring& Path() const { return path_; }

    // True once a reader opened the pipe and has closed it again, as its
    // process ended; false while it holds it or if none ever came.
    [[nodiscard]] bool ReaderCameAndWent() const {
        DWORD available = 0;
        return ::PeekNamedPipe(pipe_, nullptr, 0, nullptr, &available, nullptr) == 0 &&
               ::GetLastError() == ERROR_BROKEN_PIPE;
    }

  private:
    std::wstring path_;
    HANDLE pipe_;
};

TEST(PrintHelperTest, AHelperThatHangsIsEndedAtTheDeadline) {
    using namespace std::chrono_literals;
    const SilentPipe pipe;
    ASSERT_TRUE(pipe.Made());
    const auto start = std::chrono::steady_clock::now();

    const std::optional<PrintOutcome> outcome = RunPrintHelper(pipe.Path(), start + 3s);

    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(outcome, PrintOutcome::NoAnswer);
    EXPECT_GE(waited, 3s);
    EXPECT_LT(waited, 9s) << "the wait must end at the deadline, not with the helper";
    // Ending a process closes its handles at once; give Wine a moment.
    for (int tries = 0; tries < 50 && !pipe.ReaderCameAndWent(); ++tries) {
        ::Sleep(100);
    }
    EXPECT_TRUE(pipe.ReaderCameAndWent()) << "the helper is still running";
}

// Windows refusing the helper's job, as where the window runs in a job that
// allows no nesting (Wine never does); the refused helper is kept to see it end.
HANDLE refusedHelper = nullptr;

BOOL WINAPI RefusedAssignment(HANDLE /*job*/, HANDLE process) {
    ::DuplicateHandle(::GetCurrentProcess(), process, ::GetCurrentProcess(), &refusedHelper,
                      SYNCHRONIZE, FALSE, 0);
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI RefusedLimits(HANDLE /*job*/, JOBOBJECTINFOCLASS /*kind*/, LPVOID /*limits*/,
                          DWORD /*size*/) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

class HelperJobRefused : public ::testing::TestWithParam<JobObjectCalls> {};

TEST_P(HelperJobRefused, ThePrintFailsAtOnceAndNoHelperRuns) {
    const SilentPipe pipe;
    ASSERT_TRUE(pipe.Made());
    const JobObjectCalls saved = std::exchange(JobObjects(), GetParam());

    const std::optional<PrintOutcome> outcome =
        RunPrintHelper(pipe.Path(), std::chrono::steady_clock::now() + std::chrono::seconds(5));

    JobObjects() = saved;
    EXPECT_EQ(outcome, PrintOutcome::JobFailed);
    // Without a helper (limits refused) the wait fails at once.
    const bool ended = ::WaitForSingleObject(refusedHelper, 10000) != WAIT_TIMEOUT;
    EXPECT_TRUE(ended) << "the helper runs";
    ::CloseHandle(std::exchange(refusedHelper, nullptr));
}

INSTANTIATE_TEST_SUITE_P(AssignmentThenLimits, HelperJobRefused,
                         ::testing::Values(JobObjectCalls{.assignProcess = RefusedAssignment},
                                           JobObjectCalls{.setInformation = RefusedLimits}));

// A window of the waiting thread's own, as the program's main window is.
class PlainWindow {
  public:
    PlainWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"BrennquistWaitTest";
        ::RegisterClassW(&windowClass);
        handle_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, windowClass.hInstance, nullptr);
    }
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;
    PlainWindow(PlainWindow&&) = delete;
    PlainWindow& operator=(PlainWindow&&) = delete;
    ~PlainWindow() { ::DestroyWindow(handle_); }

    [[nodiscard]] HWND Handle() const { return handle_; }

  private:
    HWND handle_ = nullptr;
};

// While Drucken waits for a helper that hangs, the window's thread answers
// what other threads and processes send its windows, as Windows expects of a
// window that is not hung.
TEST(PrintHelperTest, WhileWaitingTheWindowAnswersMessagesAtOnce) {
    using namespace std::chrono_literals;
    const SilentPipe pipe;
    ASSERT_TRUE(pipe.Made());
    const PlainWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    std::atomic<bool> waiting = true;
    std::atomic<int> answered = 0;
    std::atomic<int> unanswered = 0;
    std::atomic<bool> asking = true;
    std::thread asker([&] {
        while (waiting) {
            DWORD_PTR result = 0;
            const bool answer = ::SendMessageTimeoutW(window.Handle(), WM_NULL, 0, 0,
                                                      SMTO_ABORTIFHUNG, 1000, &result) != 0;
            ++(answer ? answered : unanswered);
            ::Sleep(100);
        }
        asking = false;
    });

    const std::optional<PrintOutcome> outcome =
        RunPrintHelper(pipe.Path(), std::chrono::steady_clock::now() + 3s, AwaitResponsively);
    waiting = false;
    // A message sent just as the wait ended is answered here, as the window's
    // event loop would.
    for (MSG message; asking;) {
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        ::Sleep(5);
    }
    asker.join();

    EXPECT_EQ(outcome, PrintOutcome::NoAnswer);
    EXPECT_GE(answered, 5) << "hardly a message was sent during the wait";
    EXPECT_EQ(unanswered, 0) << "a message waited a second for the window's thread";
}

// This test program started again with this variable set stands in for a
// window that waits on a helper reading the named pipe, until it is killed.
// The variable goes before the helper starts, which would inherit it.
constexpr const wchar_t* kWaitOnPipe = L"BRENNQUIST_TEST_WAIT_ON_PIPE";

const bool kWaitingWindow = [] {
    std::wstring pipe(MAX_PATH, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(kWaitOnPipe, pipe.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    pipe.resize(length);
    ::SetEnvironmentVariableW(kWaitOnPipe, nullptr);
    ServeAsOwnPrintHelper();  // before main(), which would say so
    static_cast<void>(
        RunPrintHelper(pipe, std::chrono::steady_clock::now() + std::chrono::minutes(2)));
    std::_Exit(0);
}();

// The helper runs in a job that ends with the window's last handle to it:
// a window killed while it waits takes its helper along.
TEST(PrintHelperTest, AHelperEndsWithItsKilledWindow) {
    const SilentPipe pipe;
    ASSERT_TRUE(pipe.Made());
    std::wstring program(MAX_PATH, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    ASSERT_NE(::SetEnvironmentVariableW(kWaitOnPipe, pipe.Path().c_str()), 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION window{};
    std::wstring commandLine = L'"' + program + L'"';
    const BOOL started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                                          FALSE, 0, nullptr, nullptr, &startup, &window);
    ::SetEnvironmentVariableW(kWaitOnPipe, nullptr);
    ASSERT_NE(started, 0);
    // The helper has come once it holds the pipe's other end.
    const bool helperCame =
        ::ConnectNamedPipe(pipe.Handle(), nullptr) != 0 || ::GetLastError() == ERROR_PIPE_CONNECTED;

    ::TerminateProcess(window.hProcess, 1);
    ::WaitForSingleObject(window.hProcess, INFINITE);
    ::CloseHandle(window.hThread);
    ::CloseHandle(window.hProcess);
    ASSERT_TRUE(helperCame) << "no helper came";
    for (int tries = 0; tries < 50 && !pipe.ReaderCameAndWent(); ++tries) {
        ::Sleep(100);
    }
    EXPECT_TRUE(pipe.ReaderCameAndWent()) << "the helper outlived its window";
}

// This test program started as the helper with this variable set stands in
// for a driver asking in a window of its own, titled with the variable's
// value, until the test sets the event of that name. Then it prints, or, for
// a name ending in "Hangs", closes the window and hangs.
constexpr const wchar_t* kAskInAWindow = L"BRENNQUIST_TEST_ASK_IN_A_WINDOW";

const bool kAskingHelper = [] {
    const wchar_t* const name = ::_wgetenv(kAskInAWindow);
    if (name == nullptr ||
        std::wcsstr(::GetCommandLineW(), kWidePrintHelperArgument.data()) == nullptr) {
        return false;
    }
    HANDLE answered = ::OpenEventW(SYNCHRONIZE, FALSE, name);
    HWND window = ::CreateWindowExW(0, L"STATIC", name, WS_OVERLAPPEDWINDOW, 0, 0, 300, 100,
                                    nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(window, SW_SHOWNORMAL);
    for (MSG message; ::MsgWaitForMultipleObjects(1, &answered, FALSE, INFINITE, QS_ALLINPUT) ==
                      WAIT_OBJECT_0 + 1;) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
            ::DispatchMessageW(&message);
        }
    }
    if (std::wstring_view(name).ends_with(L"Hangs")) {
        ::DestroyWindow(window);
        ::Sleep(INFINITE);
    }
    const bool printed = ::WaitForSingleObject(answered, 0) == WAIT_OBJECT_0;  // not on failure
    std::_Exit(ExitCodeFor(printed ? PrintOutcome::Printed : PrintOutcome::JobFailed));
}();

class HelperAsksInAWindow : public ::testing::TestWithParam<std::pair<const char*, PrintOutcome>> {
};

// The user answers after the deadline; once the window is gone, what was left
// of it holds again.
TEST_P(HelperAsksInAWindow, ItsClockStopsWhileTheWindowShows) {
    using namespace std::chrono_literals;
    const std::string_view row = GetParam().first;
    const std::wstring name = L"Brennquist-Test-" + std::to_wstring(::GetCurrentProcessId()) +
                              std::wstring(row.begin(), row.end());
    HANDLE answered = ::CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    const auto deadline = std::chrono::steady_clock::now() + 8s;  // Wine may start slowly
    std::thread user([&] {
        while (::FindWindowW(nullptr, name.c_str()) == nullptr &&
               std::chrono::steady_clock::now() < deadline) {
            ::Sleep(50);
        }
        std::this_thread::sleep_until(deadline + 2s);
        ::SetEvent(answered);
    });
    ::SetEnvironmentVariableW(kAskInAWindow, name.c_str());

    const std::optional<PrintOutcome> outcome = RunPrintHelper(L"unused.txt", deadline);

    ::SetEnvironmentVariableW(kAskInAWindow, nullptr);
    user.join();
    ::CloseHandle(answered);
    EXPECT_EQ(outcome, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Answers, HelperAsksInAWindow,
                         ::testing::Values(std::pair("ThenPrints", PrintOutcome::Printed),
                                           std::pair("ThenClosesAndHangs", PrintOutcome::NoAnswer)),
                         [](const auto& info) { return std::string(info.param.first); });

TEST(PrintHelperTest, TextsThatAreNotAReportFailTheJob) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::wstring file = folder.filePath(QStringLiteral("report.txt")).toStdWString();
    std::ofstream(std::filesystem::path(file), std::ios::binary) << "1 4\n";

    EXPECT_EQ(RunPrintHelper(file, std::chrono::steady_clock::now() + std::chrono::seconds(30)),
              PrintOutcome::JobFailed);
}

// A helper that aborts, here as its Qt finds no platform to start on, ends at
// once: no box that nobody sees holds it until the deadline.
TEST(PrintHelperTest, AHelperThatAbortsFailsTheJob) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::wstring file = folder.filePath(QStringLiteral("report.txt")).toStdWString();
    std::ofstream(std::filesystem::path(file), std::ios::binary) << RecordOf(
        ReportTexts{.inputs = {}, .results = {}, .printDate = std::chrono::year{2026} / 1 / 1});
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "none");

    const std::optional<PrintOutcome> outcome =
        RunPrintHelper(file, std::chrono::steady_clock::now() + std::chrono::seconds(60));

    qputenv("QT_QPA_PLATFORM", platform);
    EXPECT_EQ(outcome, PrintOutcome::JobFailed);
}

}  // namespace
}  // namespace brennquist
