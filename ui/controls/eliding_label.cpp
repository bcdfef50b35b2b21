#include "ui/controls/eliding_label.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace brennquist {

QString ElidingLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, TextArea().width());
}

void ElidingLabel::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, TextArea(), static_cast<int>(alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

// The contents less margin and indent, as QLabel lays out a plain text.
QRect ElidingLabel::TextArea() const {
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int inset = std::max(indent(), 0);
    if (alignment().testFlag(Qt::AlignRight)) {
        area.setRight(area.right() - inset);
    } else if (alignment().testFlag(Qt::AlignLeft)) {
        area.setLeft(area.left() + inset);
    }
    return area;
}

}  // namespace brennquist
