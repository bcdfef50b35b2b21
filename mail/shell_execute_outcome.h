#pragma once

#include <cstdint>

#include "mail/mail_outcome.h"

namespace brennquist {

// What the Windows shell's answer to opening a "mailto" link means: the value
// ShellExecute returns, taken as a number.
[[nodiscard]] MailOutcome MailOutcomeOfShellExecute(std::intptr_t result);

}  // namespace brennquist
