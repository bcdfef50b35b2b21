#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace brennquist {

// The date in the locale's short date format, but always with a four-digit
// year (under German settings "07.12.2026", where Qt's own pattern has two).
// Under the C/POSIX locale, where no locale was chosen, the German "07.12.2026".
[[nodiscard]] QString ShortDateText(QDate date, const QLocale& locale);

}  // namespace brennquist
