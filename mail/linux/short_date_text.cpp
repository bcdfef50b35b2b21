// The C library's short date (%x) of the user's locale, read through a locale
// object of its own: the program's global locale stays "C".
#include "mail/short_date_text.h"

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace brennquist {
namespace {

constexpr std::size_t kLongestDate = 128;

// The locale the C library takes for LC_TIME: LC_ALL, else LC_TIME, else LANG.
std::string_view TimeLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* const value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

bool IsChosen(const std::string_view name) {
    return !name.empty() && name != "POSIX" && name != "C" && !name.starts_with("C.");
}

std::string Format(const std::chrono::year_month_day date, const char* format, locale_t locale) {
    std::tm time{};
    time.tm_year = static_cast<int>(date.year()) - 1900;
    time.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
    time.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
    std::string text(kLongestDate, '\0');
    text.resize(::strftime_l(text.data(), text.size(), format, &time, locale));
    return text;
}

}  // namespace

std::string ShortDateText(const std::chrono::year_month_day date) {
    locale_t const user =
        IsChosen(TimeLocaleName()) ? ::newlocale(LC_TIME_MASK, "", nullptr) : locale_t{};
    if (user == locale_t{}) {  // none chosen, or one this system does not have
        locale_t const plain = ::newlocale(LC_TIME_MASK, "C", nullptr);
        std::string text = Format(date, "%d.%m.%Y", plain);
        ::freelocale(plain);
        return text;
    }
    std::string text = Format(date, "%x", user);
    ::freelocale(user);
    return text;
}

}  // namespace brennquist
