#pragma once

#include <QIcon>

namespace brennquist {

// The program's icon, drawn from the same SVG as the menu icon: the circuit
// symbol of a battery cell. Sharp at every size the desktop asks for.
[[nodiscard]] QIcon ProgramIcon();

}  // namespace brennquist
