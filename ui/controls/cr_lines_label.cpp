#include "ui/controls/cr_lines_label.h"

namespace brennquist {

CrLinesLabel::CrLinesLabel(QWidget* parent) : QLabel(parent) {
    // Plain text: a caption is never taken for markup.
    setTextFormat(Qt::PlainText);
}

void CrLinesLabel::setCaption(const QString& caption) {
    caption_ = caption;
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setText(shown);
}

}  // namespace brennquist
