#include "ui/program_icon.h"

#include <QString>

namespace brennquist {

QIcon ProgramIcon() {
    // Compiled in, so the window has its icon wherever the program lies; Qt's
    // SVG icon engine draws it afresh for every size.
    return QIcon(QStringLiteral(":/brennquist/icon.svg"));
}

}  // namespace brennquist
