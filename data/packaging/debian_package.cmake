# The Debian package: `cpack -G DEB` in a Release build configured for /usr
# (scripts/package). Included from the top-level CMakeLists.txt.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brennquist)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Modellbau Kessler GmbH")
set(CPACK_PACKAGE_CONTACT "Modellbau Kessler GmbH <info@example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.com/)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "calculator for the electric drive of a model aircraft
Brennquist is a small German desktop calculator for the electric drive of a
model aircraft. Type the data-sheet values of one battery cell, the series and
parallel circuit and the motor; on every keystroke the window shows the whole
pack (voltage, current, capacity, weight, cells, run time), the motor's speed
and shaft power, its speed at 100 W and a recommended propeller, and warns in
red when the pack is too weak for the motor.

It keeps the inputs in ~/.config/brennquist/akku.dat, prints a one-page report
and opens a pre-filled e-mail inquiry to the vendor.")

# dpkg-shlibdeps finds the libraries the program links; these are what it
# loads or calls at run time: the window's fonts, xdg-open for the mail link,
# Qt's X11 and Wayland platform plugins and Qt's German translations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, fonts-comic-neue, xdg-utils, qt6-qpa-plugins, qt6-wayland, qt6-translations-l10n")

include(CPack)
