#pragma once

#include <QString>

namespace brennquist {

// The folder akku.dat lives in. An installed copy (its metadata in the
// share/ folder beside its own folder, as `cmake --install` and the package
// lay it out) keeps it per user in $XDG_CONFIG_HOME/brennquist, as the
// installed program's folder is not the user's to write. Any other copy, one
// in its build folder or an unpacked folder, keeps it beside the program.
// Empty for an installed copy whose user has no home folder at all: such a
// copy neither loads nor saves.
[[nodiscard]] QString SettingsFolder(const QString& programFolder);

}  // namespace brennquist
