#pragma once

#include <QLabel>
#include <QString>

namespace brennquist {

// A result label of fixed size whose caption may be wider than the box.
// QLabel would cut such a caption at the side away from its alignment, and a
// right-aligned number would lose its leading digits and still look right.
// This label shows the beginning of the caption and a cut marker instead
// ("583,33333…"); text() keeps the whole caption for the report, akku.dat
// and screen readers.
class ElidingLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

    // What the box shows: the whole text when it fits, else its beginning
    // and the marker.
    [[nodiscard]] QString shownText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    [[nodiscard]] QRect TextArea() const;
};

}  // namespace brennquist
