#include "ui/message_boxes.h"

namespace brennquist {

void ModalMessageBoxes::Show(const QString& text, const QString& title, QMessageBox::Icon icon) {
    // No parent: boxes raised while loading appear before the window does.
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    box.exec();
}

}  // namespace brennquist
