#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

namespace brennquist {

// Every message the window shows and every question it asks goes through
// here: the program shows modal boxes with one OK button and the system's
// save dialog, tests record them instead of blocking.
class MessageBoxes {
  public:
    MessageBoxes() = default;
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;
    MessageBoxes(MessageBoxes&&) = delete;
    MessageBoxes& operator=(MessageBoxes&&) = delete;
    virtual ~MessageBoxes() = default;

    virtual void Show(const QString& text, const QString& title, QMessageBox::Icon icon) = 0;

    // Asks which file the report goes into, for a default printer that prints
    // into one: its path, or nullopt when the user cancels.
    [[nodiscard]] virtual std::optional<QString> AskPrintFile() = 0;
};

// The real thing: a modal QMessageBox with a single OK button.
class ModalMessageBoxes final : public MessageBoxes {
  public:
    // Boxes raised while this window is shown belong to it: centred on it, and
    // on Wayland, where a program cannot place its own windows, handed to the
    // compositor as the window's transient dialog.
    void CentreOn(QWidget* window);

    void Show(const QString& text, const QString& title, QMessageBox::Icon icon) override;
    [[nodiscard]] std::optional<QString> AskPrintFile() override;

  private:
    [[nodiscard]] QWidget* Parent() const;


    QPointer<QWidget> window_;
};

}  // namespace brennquist
