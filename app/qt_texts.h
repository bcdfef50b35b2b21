#pragma once

namespace brennquist {

// Installs Qt's own German texts (context menus, standard dialogs, shortcut
// names) from the system's Qt translations, whatever the user's locale: the
// window itself is German throughout. Needs a QCoreApplication, which then
// owns the translator. Returns false, and changes nothing, when the catalogue
// is missing or unreadable; Qt then keeps its English texts.
bool InstallGermanQtTexts();

}  // namespace brennquist
