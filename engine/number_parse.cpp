#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "input_error.h"
#include "number_text.h"
#include "rounding.h"

namespace brennquist {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Consumes `token` from the front of `text` when it stands there.
bool Consume(std::string_view& text, std::string_view token) {
    if (token.empty() || !text.starts_with(token)) {
        return false;
    }
    text.remove_prefix(token.size());
    return true;
}

bool FollowsDigit(std::string_view written) {
    return !written.empty() && IsDigit(written.back());
}

// `token` stands at the front of `rest` and a digit follows it.
bool StandsBeforeDigit(std::string_view rest, std::string_view token) {
    return !token.empty() && rest.starts_with(token) && rest.size() > token.size() &&
           IsDigit(rest[token.size()]);
}

// The number rewritten in the locale-free form from_chars reads:
// [-]digits[.digits][e[-]digits].
struct Normalized {
    std::string text;
    bool negative = false;
    bool allZero = true;  // every mantissa digit is 0
};

void ReadSign(std::string_view& rest, Normalized& number) {
    if (Consume(rest, "-")) {
        number.negative = true;
        number.text += '-';
    } else {
        Consume(rest, "+");
    }
}

// Digits with grouping separators between them and at most one decimal
// separator; at least one digit.
void ReadMantissa(std::string_view& rest, const Separators& separators, Normalized& number) {
    bool seenDigit = false;
    bool seenDecimal = false;
    while (!rest.empty()) {
        if (IsDigit(rest.front())) {
            number.allZero = number.allZero && rest.front() == '0';
            number.text += rest.front();
            rest.remove_prefix(1);
            seenDigit = true;
        } else if (!seenDecimal && Consume(rest, separators.decimal)) {
            number.text += seenDigit ? "." : "0.";
            seenDecimal = true;
        } else if (FollowsDigit(number.text) && StandsBeforeDigit(rest, separators.group)) {
            rest.remove_prefix(separators.group.size());  // grouping is only for the eye
        } else {
            break;
        }
    }
    if (!seenDigit) {
        throw InputError{};
    }
    if (number.text.back() == '.') {
        number.text.pop_back();  // "5," reads as 5
    }
}

void ReadExponent(std::string_view& rest, Normalized& number) {
    if (rest.empty() || (rest.front() != 'e' && rest.front() != 'E')) {
        return;
    }
    rest.remove_prefix(1);
    number.text += 'e';
    if (Consume(rest, "-")) {
        number.text += '-';
    } else {
        Consume(rest, "+");
    }
    if (rest.empty() || !IsDigit(rest.front())) {
        throw InputError{};
    }
    while (!rest.empty() && IsDigit(rest.front())) {
        number.text += rest.front();
        rest.remove_prefix(1);
    }
}

// Decimal exponent of the leading significant digit of a number that is not
// zero, saturated far beyond the double range.
long long LeadingExponent(std::string_view text) {
    constexpr long long kSaturated = 1'000'000'000;
    const std::size_t exponentAt = std::min(text.find('e'), text.size());
    const std::string_view mantissa = text.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    long long lead = firstSignificant < point
                         ? static_cast<long long>(point - firstSignificant) - 1
                         : static_cast<long long>(point) - static_cast<long long>(firstSignificant);
    if (exponentAt == text.size()) {
        return lead;
    }
    std::string_view exponent = text.substr(exponentAt + 1);
    const bool negative = exponent.starts_with('-');
    exponent.remove_prefix(negative ? 1 : 0);
    long long magnitude = 0;
    for (const char digit : exponent) {
        magnitude = std::min(kSaturated, magnitude * 10 + (digit - '0'));
    }
    return lead + (negative ? -magnitude : magnitude);
}

// A value too small for a double reads as zero; one too large is an error.
double OutOfRange(const Normalized& number) {
    if (LeadingExponent(number.text) >= 0) {
        throw InputError{};
    }
    return number.negative ? -0.0 : 0.0;
}

}  // namespace

double ParseReal(std::string_view text, const Separators& separators) {
    std::string_view rest = TrimBlanks(text);
    Normalized number;
    number.text.reserve(rest.size());
    ReadSign(rest, number);
    ReadMantissa(rest, separators, number);
    ReadExponent(rest, number);
    if (!rest.empty()) {
        throw InputError{};
    }
    if (number.allZero) {
        return number.negative ? -0.0 : 0.0;
    }
    double value = 0.0;
    const char* first = number.text.data();
    const char* last = first + number.text.size();
    const auto [ptr, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        return OutOfRange(number);
    }
    if (error != std::errc{} || ptr != last || !std::isfinite(value)) {
        throw InputError{};
    }
    return value;
}

std::int16_t ParseInt16(std::string_view text, const Separators& separators) {
    return RoundInt16(ParseReal(text, separators));
}

std::int32_t ParseInt32(std::string_view text, const Separators& separators) {
    return RoundInt32(ParseReal(text, separators));
}

}  // namespace brennquist
