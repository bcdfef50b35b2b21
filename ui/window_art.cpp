#include "ui/window_art.h"

#include <QColor>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QFont>
#include <QImageReader>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QPixmapCache>
#include <QPointF>
#include <QPolygonF>

namespace brennquist {
namespace {

constexpr int kLogoSize = 100;
const QString kGroupBoxFrame =
    QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

// A number as Qt's pixmap cache keys write it: its bytes in memory order,
// each as two hex digits, the low one first.
template <typename Number>
QString CacheKeyHex(const Number number) {
    QString text;
    for (std::size_t byte = 0; byte < sizeof(Number); ++byte) {
        const auto value = static_cast<unsigned>((number >> (8 * byte)) & 0xFFU);
        text += QLatin1Char("0123456789abcdef"[value & 0xFU]);
        text += QLatin1Char("0123456789abcdef"[value >> 4U]);
    }
    return text;
}

// The key under which QPixmap(path) finds a picture read before: the path,
// its time and size, and the kind of pixmap (0, a plain one).
QString PixmapCacheKeyOf(const QFileInfo& file) {
    return QStringLiteral("qt_pixmap") + file.absoluteFilePath() +
           CacheKeyHex(static_cast<quint32>(file.lastModified().toSecsSinceEpoch())) +
           CacheKeyHex(static_cast<quint64>(file.size())) + CacheKeyHex(quint32{0});
}

}  // namespace

QPixmap VendorLogo(qreal devicePixelRatio) {
    // Drawn at the screen's own resolution, in logo units of one pixel at scale 1.
    const int side = qRound(kLogoSize * devicePixelRatio);
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // A sky disc with a rim.
    QLinearGradient sky(0, 0, 0, kLogoSize);
    sky.setColorAt(0.0, QColor(120, 180, 235));
    sky.setColorAt(1.0, QColor(30, 80, 160));
    painter.setPen(QPen(QColor(20, 40, 90), 3));
    painter.setBrush(sky);
    painter.drawEllipse(QRectF(3, 3, 94, 94));

    // A glider seen from above: long wings, slim fuselage, small tail.
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(QColor(250, 250, 245));
    painter.drawPolygon(QPolygonF{{12, 40}, {50, 34}, {88, 40}, {88, 43}, {50, 40}, {12, 43}});
    painter.drawPolygon(QPolygonF{{48, 20}, {52, 20}, {53, 68}, {47, 68}});
    painter.drawPolygon(QPolygonF{{38, 66}, {62, 66}, {62, 69}, {38, 69}});

    // The vendor's initials below.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 70, kLogoSize, 24), Qt::AlignCenter, QStringLiteral("MK"));
    return pixmap;
}

namespace {

// Draws the logo anew when its window moves to a screen of another density.
class LogoRedraw final : public QObject {
  public:
    explicit LogoRedraw(QLabel& label) : QObject(&label), label_(label) {
        label.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &label_ && event->type() == QEvent::ScreenChangeInternal &&
            label_.pixmap().devicePixelRatio() != label_.devicePixelRatioF()) {
            label_.setPixmap(VendorLogo(label_.devicePixelRatioF()));
        }
        return false;
    }

  private:
    QLabel& label_;
};

}  // namespace

void PreloadGroupBoxFrame() {
    const QFileInfo file(kGroupBoxFrame);
    if (!file.exists()) {
        return;
    }
    QImageReader reader(kGroupBoxFrame, "png");
    reader.setAutoDetectImageFormat(false);  // the PNG reader alone, no plugin asked
    const QImage frame = reader.read();
    if (!frame.isNull()) {
        QPixmapCache::insert(PixmapCacheKeyOf(file), QPixmap::fromImage(frame));
    }
}

void ShowVendorLogo(QLabel& label) {
    label.setPixmap(VendorLogo(label.devicePixelRatioF()));
    new LogoRedraw(label);  // owned by the label
}

}  // namespace brennquist
