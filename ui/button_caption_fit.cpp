#include "ui/button_caption_fit.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace brennquist {
namespace {

// Qt takes stretch factors from 1 to 4000 percent; a caption this narrow is
// still readable, and a font engine that cannot stretch ends the search there.
constexpr int kNarrowestStretch = QFont::ExtraCondensed;
constexpr int kStretchStep = 2;

int CaptionRoom(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
}

int CaptionWidth(const QFont& font, const QString& caption) {
    return QFontMetrics(font).horizontalAdvance(caption);
}

}  // namespace

void FitCaptionIntoButton(QPushButton& button) {
    const int room = CaptionRoom(button);
    QFont font = button.font();
    // Hinted widths do not shrink in proportion, so the stretch is found step
    // by step rather than computed once.
    int stretch = QFont::Unstretched;
    while (CaptionWidth(font, button.text()) > room && stretch > kNarrowestStretch) {
        stretch -= kStretchStep;
        font.setStretch(stretch);
    }
    button.setFont(font);
}

}  // namespace brennquist
