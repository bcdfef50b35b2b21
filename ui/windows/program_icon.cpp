// The program's icon on Windows: the same drawing, rendered at build time at
// every size Windows asks for (Qt for Windows is built without its SVG
// module), so no size is scaled from another.
#include "ui/program_icon.h"

#include <QString>

namespace brennquist {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/brennquist/icon-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace brennquist
