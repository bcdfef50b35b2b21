// The Windows shell opens the link with the user's mail program, as the
// "mailto" handler set in Windows says, from a helper process
// (mail_helper.h) that the window waits for no longer than a moment.
#include "mail/open_mail_link.h"

#include <chrono>

#include "mail/windows/mail_helper.h"

namespace brennquist {
namespace {

// A mail program may take its time to answer the shell; past this the link
// is taken as handed over.
constexpr std::chrono::milliseconds kHandOverTime{3000};

}  // namespace

MailOutcome OpenMailLink(const std::string_view link, const AwaitHandOver& await) {
    const MailHandOver handOver(link);
    return handOver.Await(std::chrono::steady_clock::now() + kHandOverTime, await);
}

}  // namespace brennquist
