#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "number_text.h"

namespace brennquist {
namespace {

constexpr int kSignificantDigits = 15;
// Outside [1e-4, 1e15) plain decimal would need more than 15 digits or a run
// of zeros; such values are written with an exponent instead.
constexpr int kSmallestPlainExponent = -4;
constexpr int kLargestPlainExponent = 14;

// The value rounded to 15 significant digits: its digits without trailing
// zeros and the decimal exponent of the first one.
struct Significand {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Significand RoundToSignificant(double value) {
    // d.dddddddddddddde+XX; to_chars rounds the exact binary value correctly.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));

    Significand significand;
    std::size_t at = 0;
    if (text[at] == '-') {
        significand.negative = true;
        ++at;
    }
    const std::size_t exponentAt = text.find('e');
    for (; at < exponentAt; ++at) {
        if (text[at] != '.') {
            significand.digits += text[at];
        }
    }
    while (significand.digits.size() > 1 && significand.digits.back() == '0') {
        significand.digits.pop_back();
    }
    std::from_chars(text.data() + exponentAt + (text[exponentAt + 1] == '+' ? 2 : 1),
                    text.data() + text.size(), significand.exponent);
    return significand;
}

std::string PlainDecimal(const Significand& s, std::string_view decimal) {
    std::string out = s.negative ? "-" : "";
    const auto count = static_cast<int>(s.digits.size());
    if (s.exponent < 0) {
        out += '0';
        out += decimal;
        out.append(static_cast<std::size_t>(-s.exponent - 1), '0');
        out += s.digits;
        return out;
    }
    const int integerDigits = s.exponent + 1;
    if (count <= integerDigits) {
        out += s.digits;
        out.append(static_cast<std::size_t>(integerDigits - count), '0');
        return out;
    }
    out.append(s.digits, 0, static_cast<std::size_t>(integerDigits));
    out += decimal;
    out.append(s.digits, static_cast<std::size_t>(integerDigits));
    return out;
}

// 1,5E+20 or 1E-05: one digit before the separator, at least two exponent digits.
std::string WithExponent(const Significand& s, std::string_view decimal) {
    std::string out = s.negative ? "-" : "";
    out += s.digits.front();
    if (s.digits.size() > 1) {
        out += decimal;
        out.append(s.digits, 1);
    }
    out += s.exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(s.exponent);
    if (magnitude < 10) {
        out += '0';
    }
    out += std::to_string(magnitude);
    return out;
}

}  // namespace

std::string FormatReal(double value, const Separators& separators) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Inf" : "Inf";
    }
    if (value == 0.0) {
        return "0";  // also for -0.0
    }
    const Significand significand = RoundToSignificant(value);
    if (significand.exponent < kSmallestPlainExponent ||
        significand.exponent > kLargestPlainExponent) {
        return WithExponent(significand, separators.decimal);
    }
    return PlainDecimal(significand, separators.decimal);
}

std::string FormatInteger(std::int32_t value) {
    return std::to_string(value);
}

}  // namespace brennquist
