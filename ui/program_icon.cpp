// The program's icon: the drawing of the menu icon, rendered at build time at
// every size the desktop asks for and compiled in as icon-<size>.png, so no
// size is scaled from another. Each is read as the PNG it is: a reader that
// had to guess the format would load every image plugin Qt has (and Qt SVG
// with them) to ask each one.
#include "ui/program_icon.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace brennquist {

QIcon ProgramIcon() {
    QIcon icon;
    const QDir folder(QStringLiteral(":/brennquist"));
    // Matched by hand: a name filter would compile a regular expression.
    for (const QString& name : folder.entryList(QDir::Files)) {
        if (!name.startsWith(QLatin1String("icon-")) || !name.endsWith(QLatin1String(".png"))) {
            continue;
        }
        QImageReader reader(folder.filePath(name), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}

}  // namespace brennquist
