// The program started from a console, as from cmd: Windows gives a window
// program neither that console nor standard handles (Wine would hand it the
// console, unless told DETACHED_PROCESS). Sharing it, Ctrl+C in it or closing
// it would end the window with its inputs unsaved.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

bool SharesThisConsole(const DWORD process) {
    std::array<DWORD, 64> ids{};
    const DWORD count = ::GetConsoleProcessList(ids.data(), static_cast<DWORD>(ids.size()));
    const auto end = ids.begin() + std::min<std::size_t>(count, ids.size());
    return std::find(ids.begin(), end, process) != end;
}

TEST(ParentConsoleTest, TheWindowStaysApartFromTheConsoleItWasStartedFrom) {
    ::FreeConsole();  // under Wine, a console without a console window
    ASSERT_NE(::AllocConsole(), 0);
    const std::wstring program = L"" BRENNQUIST_PROGRAM;
    std::wstring commandLine = L'"' + program + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION started{};
    ASSERT_NE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                               DETACHED_PROCESS, nullptr, nullptr, &startup, &started),
              0);

    const DWORD idle = ::WaitForInputIdle(started.hProcess, INFINITE);
    const bool shares = SharesThisConsole(started.dwProcessId);

    ::TerminateProcess(started.hProcess, 0);
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    ::FreeConsole();
    EXPECT_EQ(idle, 0U) << "the window never came to wait for input";
    EXPECT_FALSE(shares);
}

}  // namespace
