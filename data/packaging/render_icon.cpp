// Renders the icon drawing to one PNG size of the hicolor theme at build time,
// with the same SVG renderer that draws the window icon at run time.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: render_icon DRAWING.svg SIZE OUTPUT.png\n";
        return EXIT_FAILURE;
    }
    QSvgRenderer drawing(QString::fromLocal8Bit(argv[1]));
    const int size = QString::fromLocal8Bit(argv[2]).toInt();
    if (!drawing.isValid() || size <= 0) {
        std::cerr << "render_icon: cannot draw " << argv[1] << " at size " << argv[2] << '\n';
        return EXIT_FAILURE;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawing.render(&painter);
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::cerr << "render_icon: cannot write " << argv[3] << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
