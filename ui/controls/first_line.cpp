#include "ui/controls/first_line.h"

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

}  // namespace

QString FirstLine(const QString& text) {
    const auto* const end = std::find_if(text.cbegin(), text.cend(), IsLineEnd);
    return text.left(end - text.cbegin());
}

}  // namespace brennquist
