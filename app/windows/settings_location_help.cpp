#include "app/settings_location_help.h"

namespace brennquist {

const std::string_view kSettingsLocationHelp =
    "Ein installiertes Programm speichert die Eingaben in\n"
    "%APPDATA%\\Brennquist\\akku.dat, eine Kopie aus dem ZIP-Archiv in akku.dat\n"
    "neben brennquist.exe.\n";

}  // namespace brennquist
