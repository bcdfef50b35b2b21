#include "ui/message_boxes.h"

namespace brennquist {

void ModalMessageBoxes::Show(const QString& text, const QString& title, QMessageBox::Icon icon) {
    // No parent: boxes raised while loading appear before the window does.
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    // Texts may carry a path or a typed value; "<b>" in one is shown as written.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace brennquist
