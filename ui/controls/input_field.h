#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QString>

namespace brennquist {

// A one-line input as a modeller expects it of a number field:
// - what a person types, pastes or drops is kept up to its first line end,
//   as one undo step like any paste; a text the program assigns (a loaded
//   akku.dat) stays exactly as it is;
// - a double-click selects the whole value between blanks ("1.234,5"), not
//   a single digit or separator, so typing replaces the value;
// - while it is not being edited it shows the beginning of its text, also
//   after the program assigns a text longer than the box.
class InputField : public QLineEdit {
    Q_OBJECT

  public:
    explicit InputField(QWidget* parent = nullptr);
    InputField(const QString& text, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void PasteFirstLine(QClipboard::Mode mode);
    void StartUndoStep();
    void ShowBeginningUnlessEditing();

    bool editing_ = false;   // has the focus, as far as its text is concerned
    bool userEdit_ = false;  // the coming text change is the user's
};

}  // namespace brennquist
