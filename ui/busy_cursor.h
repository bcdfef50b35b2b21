#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace brennquist {

// Shows the busy cursor over the application for as long as it lives, for a
// handler that keeps the window waiting.
class BusyCursor {
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    BusyCursor(BusyCursor&&) = delete;
    BusyCursor& operator=(BusyCursor&&) = delete;
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};

// The plain cursor again for as long as it lives, for a question to the user
// in the middle of a wait.
class BusyCursorPause {
  public:
    BusyCursorPause() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursorPause(const BusyCursorPause&) = delete;
    BusyCursorPause& operator=(const BusyCursorPause&) = delete;
    BusyCursorPause(BusyCursorPause&&) = delete;
    BusyCursorPause& operator=(BusyCursorPause&&) = delete;
    ~BusyCursorPause() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
};

}  // namespace brennquist
