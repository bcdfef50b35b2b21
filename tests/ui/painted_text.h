#pragma once

// What a widget paints as text, recorded from its real paint event: a paint
// device whose engine keeps the text of every drawn text item.
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QString>
#include <QWidget>

namespace brennquist {

class PaintedText : public QPaintDevice {
  public:
    // Renders the widget once and keeps what it drew as text.
    explicit PaintedText(QWidget& widget) : size_(widget.size()) { widget.render(this); }

    [[nodiscard]] QString text() const { return engine_.text; }
    [[nodiscard]] QPaintEngine* paintEngine() const override { return &engine_; }

  protected:
    [[nodiscard]] int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth:
                return size_.width();
            case PdmHeight:
                return size_.height();
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return 96;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return static_cast<int>(devicePixelRatioFScale());
            case PdmDepth:
                return 32;
            case PdmNumColors:
                return 1 << 24;
            default:
                return 0;
        }
    }

  private:
    class Engine : public QPaintEngine {
      public:
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice* /*device*/) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& /*state*/) override {}
        void drawPixmap(const QRectF& /*r*/, const QPixmap& /*pm*/, const QRectF& /*sr*/) override {
        }
        void drawPath(const QPainterPath& /*path*/) override {}  // the frame
        void drawTextItem(const QPointF& /*p*/, const QTextItem& item) override {
            text += item.text();
        }
        [[nodiscard]] Type type() const override { return User; }

        QString text;
    };

    QSize size_;
    mutable Engine engine_;
};

}  // namespace brennquist
