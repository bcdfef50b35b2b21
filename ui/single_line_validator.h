#pragma once

#include <QValidator>

namespace brennquist {

// Keeps a field's text to one line. A line end in an input would end up in
// akku.dat as a line of its own and move every later value down a line.
// Whatever brings text into the field (typing, paste, drop, an assignment by
// the program), the validator sees the text after the insertion with the
// cursor right behind the inserted part, so the inserted part is kept up to
// its first line end and the text around it stays.
class SingleLineValidator : public QValidator {
    Q_OBJECT

  public:
    using QValidator::QValidator;

    State validate(QString& text, int& cursor) const override;
};

}  // namespace brennquist
