// The hand-over of the mail link on Windows: the shell call as the program's
// design has it (Wine takes null and "" alike, so a stand-in records it), the
// link on the helper's command line, and a real helper's outcome.
#include "mail/windows/mail_helper.h"
#include "process/windows/command_line.h"

#include <gtest/gtest.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <chrono>
#include <string>

namespace brennquist {
namespace {

std::wstring shellCall;  // NOLINT: what the stand-in was asked, one call at a time

HINSTANCE WINAPI RecordingShell(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                LPCWSTR folder, INT show) {
    const auto text = [](LPCWSTR value) { return value == nullptr ? L"(null)" : value; };
    shellCall = std::wstring(owner == nullptr ? L"(none)" : L"(window)") + L'|' + text(verb) +
                L'|' + text(file) + L'|' + text(parameters) + L'|' + text(folder) + L'|' +
                std::to_wstring(show);
    return reinterpret_cast<HINSTANCE>(INT_PTR{33});  // NOLINT: above 32, handed over
}

TEST(MailHelperTest, TheShellGetsTheLinkWithEmptyParametersAndFolder) {
    EXPECT_EQ(HandOverToShell(L"mailto:a@b.de?subject=\u00e4", RecordingShell),
              MailOutcome::HandedOver);
    EXPECT_EQ(shellCall, L"(none)|Open|mailto:a@b.de?subject=\u00e4|||1");
}

TEST(MailHelperTest, TheHelpersCommandLineCarriesTheLinkUnchanged) {
    for (const std::wstring link :
         {L"mailto:a b", L"say \"hi\"", L"end\\", L"a\\\\\"b\\", L"Zeile\r\n\u00e4\u20ac", L""}) {
        const std::wstring commandLine = L"brennquist " + QuotedArgument(link);
        int count = 0;
        LPWSTR* const arguments = ::CommandLineToArgvW(commandLine.c_str(), &count);
        ASSERT_NE(arguments, nullptr);
        EXPECT_EQ(count, 2) << commandLine;
        EXPECT_EQ(count > 1 ? arguments[1] : L"", link) << commandLine;
        ::LocalFree(static_cast<HLOCAL>(arguments));
    }
}

TEST(MailHelperTest, ALinkNothingTakesIsNotHandedOver) {
    const MailHandOver handOver("brennquist-none-such:x");
    EXPECT_NE(handOver.Await(std::chrono::steady_clock::now() + std::chrono::minutes(2)),
              MailOutcome::HandedOver);
}

}  // namespace
}  // namespace brennquist
