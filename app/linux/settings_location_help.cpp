#include "app/settings_location_help.h"

namespace brennquist {

const std::string_view kSettingsLocationHelp =
    "Ein installiertes Programm speichert die Eingaben in\n"
    "$XDG_CONFIG_HOME/brennquist/akku.dat (sonst ~/.config/brennquist/akku.dat),\n"
    "eine Kopie im Build- oder einem entpackten Ordner in akku.dat neben dem Programm.\n";

}  // namespace brennquist
