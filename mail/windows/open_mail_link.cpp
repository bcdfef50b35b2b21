// The Windows shell opens the link with the user's mail program, as the
// "mailto" handler set in Windows says.
#include "mail/open_mail_link.h"

#include <windows.h>
// after windows.h, whose types it uses
#include <shellapi.h>

#include <QString>

namespace brennquist {

// The link is UTF-8; the wide shell call takes every character as typed,
// where the narrow one would lose what the ANSI code page cannot hold.
void OpenMailLink(std::string_view link) {
    const std::wstring wide =
        QString::fromUtf8(link.data(), static_cast<qsizetype>(link.size())).toStdWString();
    // The outcome is deliberately ignored: the inquiry reports nothing.
    static_cast<void>(
        ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

}  // namespace brennquist
