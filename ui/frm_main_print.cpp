#include "ui/frm_main.h"

namespace brennquist {

// Placeholder until the report is wired in.
void frmMain::cmdPrint_Click() {}

}  // namespace brennquist
