#include "ui/frm_main.h"

namespace brennquist {

// Placeholder until the settings file is wired in.
void frmMain::SaveSettings() {}
void frmMain::LoadSettings() {}
void frmMain::cmdSave_Click() { SaveSettings(); }

}  // namespace brennquist
