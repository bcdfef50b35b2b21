#pragma once

class QPushButton;

namespace brennquist {

// Narrows the button's font, no more than needed, when its caption is wider
// than the room the style leaves inside the fixed button: the native style of
// one system may keep wider margins, or its font wider letters, than the
// fixed box allows. A caption that fits keeps its font as it is.
void FitCaptionIntoButton(QPushButton& button);

}  // namespace brennquist
