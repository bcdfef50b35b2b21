#include "ui/single_line_validator.h"

#include <algorithm>

namespace brennquist {
namespace {

bool IsLineEnd(QChar character) {
    switch (character.unicode()) {
        case u'\n':
        case u'\v':
        case u'\f':
        case u'\r':
        case u'\u0085':  // next line
        case u'\u2028':  // line separator
        case u'\u2029':  // paragraph separator
            return true;
        default:
            return false;
    }
}

qsizetype FirstLineEnd(const QString& text) {
    const auto* const found = std::find_if(text.cbegin(), text.cend(), IsLineEnd);
    return found == text.cend() ? -1 : found - text.cbegin();
}

}  // namespace

QValidator::State SingleLineValidator::validate(QString& text, int& cursor) const {
    const qsizetype lineEnd = FirstLineEnd(text);
    if (lineEnd < 0) {
        return Acceptable;
    }
    // The inserted part ends at the cursor: drop it from its first line end on.
    if (lineEnd < cursor) {
        text.remove(lineEnd, cursor - lineEnd);
        cursor = static_cast<int>(lineEnd);
    }
    // A line end behind the cursor came from no insertion; cut the text there.
    const qsizetype rest = FirstLineEnd(text);
    if (rest >= 0) {
        text.truncate(rest);
        cursor = std::min(cursor, static_cast<int>(rest));
    }
    return Acceptable;
}

}  // namespace brennquist
