#include "mail/shell_execute_outcome.h"

namespace brennquist {
namespace {

// ShellExecute's documented values: above 32 the link was handed over;
// SE_ERR_NOASSOC (31) when no program is associated with the link's scheme.
// Every other value is a failure of what is set up (the program not found,
// access denied, out of memory, a DDE transaction that failed).
constexpr std::intptr_t kLastError = 32;
constexpr std::intptr_t kNoAssociation = 31;

}  // namespace

MailOutcome MailOutcomeOfShellExecute(std::intptr_t result) {
    if (result > kLastError) {
        return MailOutcome::HandedOver;
    }
    return result == kNoAssociation ? MailOutcome::NoMailProgram : MailOutcome::StartFailed;
}

}  // namespace brennquist
