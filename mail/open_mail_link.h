#pragma once

#include <string_view>

#include "mail/mail_outcome.h"

namespace brennquist {

// Hands a "mailto:" link (UTF-8) to the desktop's mail handler and tells how
// that went. A handler still busy with the link after a few seconds has taken
// it (a handler may keep running while the mail program is open); never waits
// longer than that. This is the one platform call of the mail inquiry.
[[nodiscard]] MailOutcome OpenMailLink(std::string_view link);

}  // namespace brennquist
