// Windows' short date for the user's regional settings, as Explorer shows it.
#include "mail/short_date_text.h"

#include <windows.h>

#include <array>

namespace brennquist {
namespace {

constexpr int kLongestDate = 128;

std::string Utf8(const wchar_t* text, const int length) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

}  // namespace

std::string ShortDateText(const std::chrono::year_month_day date) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(static_cast<int>(date.year()));
    time.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    time.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    std::array<wchar_t, kLongestDate> text{};
    int length = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr,
                                   text.data(), kLongestDate, nullptr);
    if (length == 0) {  // Windows cannot say: the German date
        length = ::GetDateFormatEx(LOCALE_NAME_INVARIANT, 0, &time, L"dd.MM.yyyy", text.data(),
                                   kLongestDate, nullptr);
    }
    return length > 0 ? Utf8(text.data(), length - 1) : std::string();  // without the end mark
}

}  // namespace brennquist
