#include "ui/controls/input_field.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <utility>

#include "ui/controls/first_line.h"

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

void InputField::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        PasteFirstLine(QClipboard::Clipboard);
        event->accept();
        return;
    }
    // Text typed by a tool or a keyboard layout may hold a line end too.
    const QString typed = FirstLine(event->text());
    if (typed.isEmpty() || typed.size() == event->text().size()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent cut(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                  event->nativeVirtualKey(), event->nativeModifiers(), typed, event->isAutoRepeat(),
                  static_cast<quint16>(event->count()));
    QLineEdit::keyPressEvent(&cut);
    event->setAccepted(cut.isAccepted());
}

void InputField::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = FirstLine(event->commitString());
    if (committed.size() == event->commitString().size()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(committed, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&cut);
    event->setAccepted(cut.isAccepted());
}

// Qt's own menu, whose Paste goes through the same cut as Ctrl+V.
void InputField::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* const menu = createStandardContextMenu();
    // Found by its text, as Qt wires the entry differently from version to
    // version; its connections to this field give way to the cut paste.
    const QString pasteText = QLineEdit::tr("&Paste");
    for (QAction* const action : menu->actions()) {
        if (action->text().startsWith(pasteText)) {
            disconnect(action, &QAction::triggered, this, nullptr);
            connect(action, &QAction::triggered, this,
                    [this] { PasteFirstLine(QClipboard::Clipboard); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void InputField::dropEvent(QDropEvent* event) {
    const QString text = event->mimeData()->text();
    const QString line = FirstLine(text);
    if (line.size() == text.size()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData data;
    data.setText(line);
    QDropEvent cut(event->position(), event->possibleActions(), &data, event->buttons(),
                   event->modifiers(), event->type());
    cut.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&cut);
    event->setDropAction(cut.dropAction());
    event->setAccepted(cut.isAccepted());
}

// The middle button pastes the X11 selection.
void InputField::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        PasteFirstLine(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void InputField::PasteFirstLine(QClipboard::Mode mode) {
    const QString line = FirstLine(QGuiApplication::clipboard()->text(mode));
    if (line.isEmpty() && !hasSelectedText()) {
        return;
    }
    StartUndoStep();
    insert(line);
    StartUndoStep();
}

// Qt begins a new undo step whenever the cursor moves or a selection goes, so
// a paste is undone on its own, as Qt's own paste is.
void InputField::StartUndoStep() {
    if (hasSelectedText()) {
        return;
    }
    const int position = cursorPosition();
    setCursorPosition(position > 0 ? position - 1 : position + 1);
    setCursorPosition(position);
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
