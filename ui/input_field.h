#pragma once

#include <QLineEdit>
#include <QString>

namespace brennquist {

// A one-line input as a modeller expects it of a number field:
// - it never holds a line end, however the text comes in;
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
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void ShowBeginningUnlessEditing();

    bool editing_ = false;   // has the focus, as far as its text is concerned
    bool userEdit_ = false;  // the coming text change is the user's
};

}  // namespace brennquist
