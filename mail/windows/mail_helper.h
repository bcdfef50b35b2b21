#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "mail/mail_outcome.h"
#include "mail/open_mail_link.h"

namespace brennquist {

// The mail link goes to the shell in a short-lived helper: this program
// started again with this first argument and the link. The shell may hold
// the call as long as a mail program takes to answer it (a DDE conversation),
// and the window's thread must not wait on that. main() lets
// AnswerAsMailHelper (open_mail_link.h) answer first.
inline constexpr std::wstring_view kMailHelperArgument = L"--mail-helper";

// The shell call as the helper makes it, and a stand-in with its signature.
using ShellExecuteCall = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

// Opens the link with the program the shell names for it, and tells how
// that went.
[[nodiscard]] MailOutcome HandOverToShell(const std::wstring& link, ShellExecuteCall shell);

// One hand-over, started at construction. Its helper is never ended from
// here: a mail program that answers late still gets the link.
class MailHandOver {
  public:
    explicit MailHandOver(std::string_view link);
    MailHandOver(const MailHandOver&) = delete;
    MailHandOver& operator=(const MailHandOver&) = delete;
    MailHandOver(MailHandOver&&) = delete;
    MailHandOver& operator=(MailHandOver&&) = delete;
    ~MailHandOver();

    // Signalled once the hand-over has ended, for waiting on it among other
    // events; null when the helper could not be started.
    [[nodiscard]] HANDLE Finished() const { return process_; }

    // How the hand-over went; nullopt while the helper is busy.
    [[nodiscard]] std::optional<MailOutcome> Outcome() const;

    // Waits for the outcome through `await` (blocking without one) until the
    // deadline; a helper still busy then is taken as having handed the link
    // over.
    [[nodiscard]] MailOutcome Await(std::chrono::steady_clock::time_point deadline,
                                    const AwaitHandOver& await = {}) const;

  private:
    HANDLE process_ = nullptr;
};

}  // namespace brennquist
