#include "ui/input_field.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <utility>

#include "ui/single_line_validator.h"

namespace brennquist {
namespace {

struct Run {
    int start = 0;
    int end = 0;
};

// The characters around a cursor position up to the next blank on each side.
Run BlankDelimitedRun(const QString& text, int position) {
    Run run{position, position};
    while (run.start > 0 && !text.at(run.start - 1).isSpace()) {
        --run.start;
    }
    while (run.end < text.size() && !text.at(run.end).isSpace()) {
        ++run.end;
    }
    return run;
}

// Leaving for a menu or another window is no end of editing; Qt keeps the
// selection then too.
bool EndsEditing(const QFocusEvent& event) {
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

}  // namespace

InputField::InputField(QWidget* parent) : InputField(QString(), parent) {}

InputField::InputField(const QString& text, QWidget* parent) : QLineEdit(parent) {
    setValidator(new SingleLineValidator(this));
    // Qt reports a user's edit just before the change itself; a change
    // without it is an assignment by the program.
    connect(this, &QLineEdit::textEdited, this, [this] { userEdit_ = true; });
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!std::exchange(userEdit_, false)) {
            ShowBeginningUnlessEditing();
        }
    });
    setText(text);
}

void InputField::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);  // keeps the triple-click that selects all
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Run run = BlankDelimitedRun(text(), cursorPositionAt(event->position().toPoint()));
    if (run.end > run.start) {
        setSelection(run.start, run.end - run.start);
    }
}

void InputField::focusInEvent(QFocusEvent* event) {
    editing_ = true;
    QLineEdit::focusInEvent(event);
}

void InputField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (EndsEditing(*event)) {
        editing_ = false;
        setCursorPosition(0);
    }
}

void InputField::ShowBeginningUnlessEditing() {
    if (!editing_) {
        setCursorPosition(0);
    }
}

}  // namespace brennquist
