#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace brennquist {

// Every message the window shows goes through here: the program shows modal
// boxes with one OK button, tests record them instead of blocking.
class MessageBoxes {
  public:
    MessageBoxes() = default;
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;
    MessageBoxes(MessageBoxes&&) = delete;
    MessageBoxes& operator=(MessageBoxes&&) = delete;
    virtual ~MessageBoxes() = default;

    virtual void Show(const QString& text, const QString& title, QMessageBox::Icon icon) = 0;
};

// The real thing: a modal QMessageBox with a single OK button.
class ModalMessageBoxes final : public MessageBoxes {
  public:
    // Boxes raised while this window is shown belong to it: centred on it, and
    // on Wayland, where a program cannot place its own windows, handed to the
    // compositor as the window's transient dialog.
    void CentreOn(QWidget* window);

    void Show(const QString& text, const QString& title, QMessageBox::Icon icon) override;

  private:
    QPointer<QWidget> window_;
};

}  // namespace brennquist
