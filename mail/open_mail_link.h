#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "mail/mail_outcome.h"

namespace brennquist {

// How the caller waits for the hand-over: until the waitable (a file
// descriptor on Linux, a process handle on Windows) is ready or the deadline
// passes, true when ready. The window keeps handling its events meanwhile;
// left empty, the calling thread simply blocks.
using AwaitHandOver =
    std::function<bool(std::intptr_t waitable, std::chrono::steady_clock::time_point deadline)>;

// Hands a "mailto:" link (UTF-8) to the desktop's mail handler and tells how
// that went. A handler still busy with the link after a few seconds has taken
// it (a handler may keep running while the mail program is open); never waits
// longer than that. This is the one platform call of the mail inquiry.
[[nodiscard]] MailOutcome OpenMailLink(std::string_view link, const AwaitHandOver& await = {});

// Where the hand-over runs in the program started again as a helper, main()
// lets this answer first, before anything graphical starts: the helper's exit
// status, or nullopt for any other command line.
[[nodiscard]] std::optional<int> AnswerAsMailHelper(int argc, const char* const* argv);

}  // namespace brennquist
