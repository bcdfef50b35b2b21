#include "mail/open_mail_link.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace brennquist {

// xdg-open, looked up on PATH, gets the whole link as its only argument. It is
// started directly, without a shell, so no character of the typed texts is
// ever interpreted; the arguments reach it UTF-8 encoded, byte for byte.
void OpenMailLink(std::string_view link) {
    const QString text = QString::fromUtf8(link.data(), static_cast<qsizetype>(link.size()));
    // The outcome is deliberately ignored: the inquiry reports nothing.
    static_cast<void>(QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{text}));
}

}  // namespace brennquist
