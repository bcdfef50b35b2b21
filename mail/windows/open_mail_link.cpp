// The Windows shell opens the link with the user's mail program, as the
// "mailto" handler set in Windows says.
#include "mail/open_mail_link.h"

#include <windows.h>
// after windows.h, whose types it uses
#include <shellapi.h>

#include <QString>

#include "mail/shell_execute_outcome.h"

namespace brennquist {

// The link is UTF-8; the wide shell call takes every character as typed,
// where the narrow one would lose what the ANSI code page cannot hold. The
// shell returns once the mail program has the link or none is registered for
// "mailto" (SE_ERR_NOASSOC).
MailOutcome OpenMailLink(std::string_view link, const AwaitHandOver& /*await*/) {
    const std::wstring wide =
        QString::fromUtf8(link.data(), static_cast<qsizetype>(link.size())).toStdWString();
    const HINSTANCE result =
        ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return MailOutcomeOfShellExecute(
        reinterpret_cast<INT_PTR>(result));  // NOLINT(*-reinterpret-cast)
}

}  // namespace brennquist
