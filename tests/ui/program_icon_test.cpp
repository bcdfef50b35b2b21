// The window icon: the compiled-in PNGs of the icon drawing, one for each size
// the desktop asks for, rather than one bitmap scaled.
#include <gtest/gtest.h>

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "ui/program_icon.h"

namespace brennquist {
namespace {

struct Ink {
    int black = 0;  // the symbol's lines
    int grey = 0;   // their edges
};

Ink InkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() > 200) {
                ink.black += colour.lightness() < 64 ? 1 : 0;
                ink.grey += colour.lightness() >= 64 && colour.lightness() < 192 ? 1 : 0;
            }
        }
    }
    return ink;
}

TEST(ProgramIcon, DrawsTheSymbolAtEverySizeAsked) {
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull()) << "no icon compiled in";
    for (const int size : {16, 32, 48, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_GT(InkOf(image).black, size / 2) << size;
        EXPECT_EQ(image.pixelColor(size * 7 / 8, size / 2).alpha(), 0)
            << size << ": transparent beside the symbol";
    }
}

// Drawn at 256 pixels the lines are 12 pixels wide with edges of about one
// pixel; a small bitmap blown up to that size would have edges as wide as
// its lines.
TEST(ProgramIcon, LargeSizeHasSharpEdges) {
    const Ink ink = InkOf(ProgramIcon().pixmap(256, 256).toImage());
    EXPECT_LT(ink.grey * 2, ink.black);
}

}  // namespace
}  // namespace brennquist
