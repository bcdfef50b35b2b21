#!/usr/bin/env bash
# The installer as an administrator uses it: `/S` installs for all users
# under Program Files with a Start-menu entry and an entry in the list of
# installed programs; the installed copy keeps akku.dat in
# %APPDATA%\Brennquist, also where the user's name is beyond the ANSI code
# page; the uninstaller removes the program and leaves that file.
# Usage: installer_test.sh SETUP.EXE  (WINEPREFIX and DISPLAY set)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows_desktop.sh"
setup=$1
shots=$PWD
unset WINEPATH

drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Brennquist"
menu_entry="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brennquist.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brennquist'
# The user's roaming folder under a name the ANSI code page cannot hold, put
# back as it was afterwards.
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
roaming=$(wine reg query "$shell_folders" /v AppData | tr -d '\r' | sed -n 's/.*REG_EXPAND_SZ *//p')
[ -n "$roaming" ] || fail "no roaming folder in $shell_folders"
profile="$drive_c/users/Ольга Łukasz"
trap 'wine reg add "$shell_folders" /v AppData /t REG_EXPAND_SZ /d "$roaming" /f >/dev/null
      rm -rf "$profile"' EXIT
mkdir -p "$profile/AppData/Roaming"
wine reg add "$shell_folders" /v AppData /t REG_EXPAND_SZ /f \
    /d 'C:\users\Ольга Łukasz\AppData\Roaming' >/dev/null
settings="$profile/AppData/Roaming/Brennquist/akku.dat"

wine "$setup" /S
wait_for_file "$installed/uninstall.exe" 60 || fail "nothing installed under Program Files"
[ -f "$installed/brennquist.exe" ] || fail "no brennquist.exe installed"
[ -f "$menu_entry" ] || fail "no Start-menu entry"
wine reg query "$uninstall_key" /v UninstallString >/dev/null || fail "not in the installed programs"

start_first_time "$installed/brennquist.exe"
save_four_cells "$WINDOW"
wait_for_file "$settings" 30 || fail "the installed copy saved nothing to $settings"
check_saved_file "$settings"
[ ! -e "$installed/akku.dat" ] || fail "the installed copy saved into Program Files"
import -window root "$shots/installed-window.png"
quit_program "$WINDOW" after_save
wait "$PROGRAM" || fail "the program ended with an error"

wine "$installed/uninstall.exe" /S
for ((tenth = 0; tenth < 600; tenth++)); do
    [ -e "$installed" ] || break
    sleep 0.1
done
[ ! -e "$installed" ] || fail "the uninstaller left $installed"
[ ! -e "$menu_entry" ] || fail "the uninstaller left the Start-menu entry"
if wine reg query "$uninstall_key" >/dev/null 2>&1; then
    fail "the uninstaller left the entry in the installed programs"
fi
check_saved_file "$settings"
echo "installer: silent install, per-user akku.dat, uninstall keeping it, as expected"
