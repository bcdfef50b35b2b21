#!/usr/bin/env bash
# Drucken in the unpacked program under Wine, against a real print queue: the
# cups-pdf queue print_queue.sh made the default printer, which Wine lists as
# Windows' default printer. The program's print helper draws the page through
# Windows' printing (Wine's PostScript driver), and the queue's PDF must hold
# the report with the window's own texts, without any message box.
# Usage: print_queue_test.sh ZIP  (WINEPREFIX and DISPLAY set; exit 77: skipped)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows_desktop.sh"
zip=$1
shots=$PWD

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: needs root, as print_queue.sh runs its own cupsd with a cups-pdf queue"
    exit 77
fi

# Where cups-pdf puts root's files: its "Out" setting, or its own default.
output_folder() {
    local folder=/var/spool/cups-pdf/'${USER}'
    local setting
    setting=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+\([^[:space:]].*\)$/\1/p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
    [ -z "$setting" ] || folder=$setting
    folder=${folder//'${HOME}'/$HOME}
    echo "${folder//'${USER}'/$(id -un)}"
}

# printed_file MARKER SECONDS: the path of the PDF holding MARKER, once there.
printed_file() {
    local marker=$1 seconds=$2 folder pdf
    folder=$(output_folder)
    for ((second = 0; second < seconds; second++)); do
        for pdf in "$folder"/*.pdf; do
            [ -f "$pdf" ] || continue
            if pdftotext -layout "$pdf" - 2>/dev/null | grep -qF "$marker"; then
                echo "$pdf"
                return 0
            fi
        done
        sleep 1
    done
    return 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
exe=$(find "$work" -name brennquist.exe | head -n 1)
unset WINEPATH

# A capacity no earlier print has: it marks this run's page.
capacity=$((RANDOM % 9000 + 1000))
start_first_time "$exe"
# The capacity field is the first stop after the cell list; Drucken six on.
keys "$WINDOW" Tab ctrl+a $(echo "$capacity" | sed 's/./& /g') Tab Tab Tab Tab Tab Tab space
pdf=$(printed_file "Kapazität pro Zelle: $capacity mAh" 90) || {
    import -window root "$shots/print-queue-failed.png"
    fail "no page with the capacity $capacity came out of the queue within 90 seconds"
}
if wait_for_window "Hinweis" 2 >/dev/null; then
    import -window root "$shots/print-queue-failed.png"
    fail "a message box came although the page was printed"
fi
text=$(pdftotext -layout "$pdf" - | sed 's/[[:space:]]\+/ /g; s/^ //; s/ $//')
for line in "Brennquist und Luftschraubenberechnung" "Akkutyp: Lithium Polymer/Ionen" \
            "Gewicht pro Zelle: 9,8 g" "Nennspannung: 3,7 V" "Kapazität: $capacity mAh" \
            "Gewicht: 9,8 g" "Drehzahl[1/min] bei 3,7V: 3700" "empfohlene Luftschraube: 8x5" \
            "Druckdatum: $(date +%d.%m.%Y)"; do
    grep -qF -- "$line" <<<"$text" || fail "the printed page lacks \"$line\"; it reads: $text"
done
[ "$(pdfinfo "$pdf" | sed -n 's/^Pages:[[:space:]]*//p')" = 1 ] || fail "not one page"
rm -f "$pdf"
quit_program "$WINDOW" after_print
wait "$PROGRAM" || fail "the program ended with an error"
echo "print queue: Drucken printed the report on Windows' default printer"
