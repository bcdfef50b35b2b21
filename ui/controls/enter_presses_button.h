#pragma once

class QAbstractButton;

namespace brennquist {

// Enter and Return press the button while it has the focus, as Space does.
// Outside a dialog Qt's buttons take only Space, and a keyboard user who
// tabs to a button and presses Enter would get nothing and no sign of it.
void LetEnterPress(QAbstractButton& button);

}  // namespace brennquist
