#pragma once

#include <string>

namespace brennquist {

// Whether the printer's port asks where to put the output at each job:
// FILE: (any printer "printing into a file") and PORTPROMPT: (Microsoft
// Print to PDF, the XPS Document Writer). Their drivers open a save dialog
// inside StartDoc unless the job names an output file. False for a printer
// that cannot be asked.
[[nodiscard]] bool PortAsksForOutputFile(const std::wstring& printerName);

}  // namespace brennquist
