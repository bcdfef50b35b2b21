#pragma once

#include <optional>
#include <string_view>

namespace brennquist {

// Hands a "mailto:" link (UTF-8) to the desktop's mail handler. True when the
// handler took it, or is still busy with it after a few seconds (a handler
// may keep running while the mail program is open); false when nothing could
// take it: no handler is registered or none can be started. Never waits
// longer than that. This is the one platform call of the mail inquiry.
[[nodiscard]] bool OpenMailLink(std::string_view link);

// Where the hand-over runs in the program started again as a helper, main()
// lets this answer first, before anything graphical starts: the helper's exit
// status, or nullopt for any other command line.
[[nodiscard]] std::optional<int> AnswerAsMailHelper(int argc, const char* const* argv);

}  // namespace brennquist
