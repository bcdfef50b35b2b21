#include "ui/frm_main.h"

namespace brennquist {

// Placeholder until the mail inquiry is wired in.
void frmMain::cmdMailOrder_Click() {}

}  // namespace brennquist
