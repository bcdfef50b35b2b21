#include "ui/controls/enter_presses_button.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>

namespace brennquist {
namespace {

class EnterPressesButton : public QObject {
  public:
    explicit EnterPressesButton(QAbstractButton& button) : QObject(&button), button_(button) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const auto* const key =
            event->type() == QEvent::KeyPress ? dynamic_cast<QKeyEvent*>(event) : nullptr;
        if (key == nullptr || !IsPlainEnter(*key)) {
            return false;
        }
        button_.click();
        return true;
    }

  private:
    // A held key presses once: a held Enter on Drucken must not print a stack.
    static bool IsPlainEnter(const QKeyEvent& key) {
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        return enter && plain && !key.isAutoRepeat();
    }

    QAbstractButton& button_;
};

}  // namespace

void LetEnterPress(QAbstractButton& button) {
    button.installEventFilter(new EnterPressesButton(button));
}

}  // namespace brennquist
