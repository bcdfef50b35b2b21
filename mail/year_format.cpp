#include "mail/year_format.h"

#include <cstddef>
#include <vector>

namespace brennquist {

namespace {

constexpr char kQuote = '\'';
constexpr char kYear = 'y';
constexpr std::string_view kFourDigitYear = "yyyy";

// A run of year letters outside quoted text.
struct YearField {
    std::size_t start = 0;
    std::size_t length = 0;
};

std::vector<YearField> YearFields(std::string_view format) {
    std::vector<YearField> fields;
    bool quoted = false;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] == kQuote) {
            // A doubled quote toggles twice and so stays what it was.
            quoted = !quoted;
            ++i;
            continue;
        }
        if (quoted || format[i] != kYear) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < format.size() && format[i] == kYear) {
            ++i;
        }
        fields.push_back({start, i - start});
    }
    return fields;
}

}  // namespace

std::string FourDigitYearFormat(std::string_view format) {
    const std::vector<YearField> fields = YearFields(format);
    for (const YearField& field : fields) {
        if (field.length >= kFourDigitYear.size()) {
            return std::string(format);
        }
    }
    std::string widened;
    std::size_t copied = 0;
    for (const YearField& field : fields) {
        // A single "y" is no year field but a plain letter.
        if (field.length < 2) {
            continue;
        }
        widened.append(format.substr(copied, field.start - copied));
        widened.append(kFourDigitYear);
        copied = field.start + field.length;
    }
    widened.append(format.substr(copied));
    return widened;
}

}  // namespace brennquist
