#include "mail/short_date_text.h"

#include "mail/year_format.h"

namespace brennquist {

QString ShortDateText(QDate date, const QLocale& locale) {
    // Without a chosen locale the program is German, its date included.
    if (locale.language() == QLocale::C) {
        return date.toString(QStringLiteral("dd.MM.yyyy"));
    }
    const std::string pattern =
        FourDigitYearFormat(locale.dateFormat(QLocale::ShortFormat).toStdString());
    return locale.toString(date, QString::fromStdString(pattern));
}

}  // namespace brennquist
