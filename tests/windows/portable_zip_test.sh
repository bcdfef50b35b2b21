#!/usr/bin/env bash
# The portable zip as a user meets it: LIESMICH.txt at its top and the
# licence notes of what it ships; unpacked into a folder and started,
# it shows the notice about missing saved data, then the window; typing 4
# into the series field and pressing Speichern writes akku.dat beside the
# .exe; the next start loads it without the notice, and Drucken there says
# that no printer is set up. Nothing but Wine's own
# Windows is on the search path: every DLL must come with the zip.
# The window's program imports no print support; its print helper does.
# Usage: portable_zip_test.sh ZIP  (WINEPREFIX and DISPLAY set)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows_desktop.sh"
zip=$1
shots=$PWD

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Unpacked below a name the ANSI code page cannot hold (Cyrillic; "Ł", which
# Windows-1252 would turn into "L", another folder).
unzip -q "$zip" -d "$work/Ольга Łukasz"
exe=$(find "$work" -name brennquist.exe | head -n 1)
[ -n "$exe" ] || fail "no brennquist.exe in $zip"
folder=$(dirname "$exe")
[ ! -e "$folder/akku.dat" ] || fail "the zip brings an akku.dat"

# What the zip opens on: LIESMICH.txt beside the program folder, UTF-8 with
# Windows line ends; the licence notes name every library the folder ships;
# SHA256SUMS beside the zip vouches for it.
readme="$work/Ольга Łukasz/LIESMICH.txt"
[ "$(unzip -Z1 "$zip" | grep -v '^Brennquist-[^/]*/')" = LIESMICH.txt ] ||
    fail "the zip's top holds more or less than LIESMICH.txt and the program folder"
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || fail "LIESMICH.txt is no UTF-8"
[ "$(tr -cd '\r' < "$readme" | wc -c)" -eq "$(tr -cd '\n' < "$readme" | wc -c)" ] ||
    fail "not every line of LIESMICH.txt ends with CR LF"
for library in "$folder"/*.dll "$folder"/platforms/*.dll; do
    grep -qF "$(basename "$library")" "$folder/Lizenzen/Hinweise.txt" ||
        fail "Lizenzen/Hinweise.txt does not name $(basename "$library")"
done
grep -q "GNU LESSER GENERAL PUBLIC LICENSE" "$folder/Lizenzen/LGPL-3.txt" || fail "no LGPL-3 text"
(cd "$(dirname "$zip")" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
# Only the print helper beside the program loads Qt's print support.
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
! imports "$exe" | grep -qi qt6printsupport || fail "brennquist.exe loads Qt6PrintSupport.dll"
imports "$folder/brennquist-print-helper.exe" | grep -qi qt6printsupport ||
    fail "no print helper beside brennquist.exe"
unset WINEPATH

# The console answers, though the program is a window program.
version=$(wine "$exe" --version | tr -d '\r')
[ "$version" = "Brennquist 1.0.0" ] || fail "--version said: $version"
wine "$exe" --help | grep -q -- "%APPDATA%.Brennquist.akku.dat" || fail "--help does not say where the inputs live"

start_first_time "$exe" "$shots/portable-notice.png"
import -window root "$shots/portable-window.png"
save_four_cells "$WINDOW"
wait_for_file "$folder/akku.dat" 30 || fail "Speichern wrote no akku.dat beside the program"
check_saved_file "$folder/akku.dat"
quit_program "$WINDOW" after_save
wait "$PROGRAM" || fail "the program ended with an error"

# Loaded at the next start: no notice, the four cells in the field.
wine "$exe" &
program=$!
window=$(main_window) || fail "the window did not come at the second start"
if wait_for_window "Hinweis" 3 >/dev/null; then
    fail "the notice came although akku.dat was there"
fi
import -window root "$shots/portable-loaded.png"
# Drucken on a Windows without printers: the program's print helper, started
# from the unpacked folder, finds no default printer, and the window says so.
press_print "$window"
notice=$(wait_for_window "Hinweis" 10) || fail "Drucken gave no notice within ten seconds"
import -window root "$shots/portable-print.png"
keys "$notice" Return
wait_until_gone "$notice" 10 || fail "the print notice did not close"
quit_program "$window" after_print
wait "$program" || fail "the program ended with an error"
check_saved_file "$folder/akku.dat"
echo "portable zip: notice, window, save and reload as expected"
