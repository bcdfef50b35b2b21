#include "ui/message_boxes.h"

namespace brennquist {

void ModalMessageBoxes::CentreOn(QWidget* window) {
    window_ = window;
}

void ModalMessageBoxes::Show(const QString& text, const QString& title, QMessageBox::Icon icon) {
    // Boxes raised while loading come before the window is shown: they have no
    // parent then, or they would take the hidden window's place on the screen.
    QWidget* const parent = window_ != nullptr && window_->isVisible() ? window_.data() : nullptr;
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    // Texts may carry a path or a typed value; "<b>" in one is shown as written.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace brennquist
