#pragma once

namespace brennquist {

// A helper process has nobody to answer a dialog: one would hold it until its
// parent gives up on it, and the user would read that the printer did not
// answer. From this call on, the process shows none: Windows' own error boxes
// (a drive without its medium, a crash) are off, and abort() or a failed
// assertion ends the process at once with `exitCode`, without the C runtime's
// message box.
void EndQuietlyOnFailure(int exitCode);

}  // namespace brennquist
