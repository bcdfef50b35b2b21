// The program's icon: the drawing of the menu icon, rendered at build time at
// every size the desktop asks for and compiled in as icon-<size>.png, so no
// size is scaled from another and the window's process needs no SVG module.
#include "ui/program_icon.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace brennquist {

QIcon ProgramIcon() {
    QIcon icon;
    const QDir folder(QStringLiteral(":/brennquist"));
    for (const QFileInfo& png : folder.entryInfoList({QStringLiteral("icon-*.png")}, QDir::Files)) {
        const int size = png.completeBaseName().section(QLatin1Char('-'), 1).toInt();
        icon.addFile(png.filePath(), QSize(size, size));
    }
    return icon;
}

}  // namespace brennquist
