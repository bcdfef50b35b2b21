// Every caption of the real window fits its fixed box in the fonts the
// program picks, so nothing is cut off on screen.
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

class CaptionTest : public WindowTest {
  protected:
    void ExpectEveryCaptionFits() const {
        for (const QLabel* const label : window_->findChildren<QLabel*>()) {
            if (label->text().isEmpty()) {
                continue;  // the picture
            }
            const QFontMetrics metrics(label->font());
            const QRect box = label->contentsRect();
            if (label->wordWrap()) {
                const int flags = static_cast<int>(Qt::TextWordWrap | label->alignment());
                const QRect needed = metrics.boundingRect(box, flags, label->text());
                EXPECT_LE(needed.height(), box.height()) << label->objectName().toStdString();
            } else {
                EXPECT_LE(metrics.horizontalAdvance(label->text()) + label->indent(), box.width())
                    << label->objectName().toStdString();
                EXPECT_LE(metrics.height(), box.height()) << label->objectName().toStdString();
            }
        }
        for (const QPushButton* const button : window_->findChildren<QPushButton*>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), room.width())
                << button->objectName().toStdString();
        }
        for (const QGroupBox* const group : window_->findChildren<QGroupBox*>()) {
            EXPECT_LE(QFontMetrics(group->font()).horizontalAdvance(group->title()), group->width())
                << group->objectName().toStdString();
        }
    }
};

TEST_F(CaptionTest, DesignFacesAreReplacedByLookAlikes) {
    Start();
    EXPECT_EQ(QFontInfo(Find<QLabel>("Label11").font()).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(Find<QLabel>("lblFirma").font()).family(), "Comic Neue");
}

TEST_F(CaptionTest, EveryCaptionFitsAfterStartUp) {
    Start();
    ExpectEveryCaptionFits();
}

TEST_F(CaptionTest, EveryCaptionFitsWithLongResults) {
    Start();
    // Twenty cells of 1,2 V in series, five in parallel: five-digit results
    // and a two-digit voltage with a decimal.
    Find<QLineEdit>("txtK").setText(QStringLiteral("5000"));
    Find<QLineEdit>("txtReihe").setText(QStringLiteral("21"));
    Find<QLineEdit>("txtPar").setText(QStringLiteral("5"));
    Find<QLineEdit>("txtIL").setText(QStringLiteral("50"));
    ASSERT_EQ(Caption("lblU"), "77,7");
    ExpectEveryCaptionFits();
}

}  // namespace
}  // namespace brennquist
