#pragma once

#include <QString>

namespace brennquist {

// What a person brings into a one-line field, kept up to its first line end
// (CR, LF, VT, FF, NEL, line or paragraph separator). A line end in an input
// would end up in akku.dat as a line of its own and move every later value
// down a line.
[[nodiscard]] QString FirstLine(const QString& text);

}  // namespace brennquist
