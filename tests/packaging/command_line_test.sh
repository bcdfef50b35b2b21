#!/usr/bin/env bash
# --version and --help answer without a display; any other argument starts
# the window as usual (seen on a private Xvfb display), whose process maps no
# printing library.
# Usage: command_line_test.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

[ "$("${no_display[@]}" "$program" --version)" = "Brennquist 1.0.0" ] || fail "--version"
help=$("${no_display[@]}" "$program" --help) || fail "--help exited $?"
grep -q '^Aufruf: brennquist \[--help | --version\]$' <<<"$help" || fail "--help: $help"
if "${no_display[@]}" "$program" --help >/dev/full 2>/dev/null; then
    fail "--help into a full disk reported success"
fi
# Drucken starts the print helper beside the program, which needs no display
# and answers with how the exchange ended: here with no print service at all.
# It is told its parent (this shell: exec leaves no shell between) and the
# milliseconds it has. The program itself treats it as any other argument.
helper=$(CUPS_SERVER=/nonexistent/cups.sock exec "${no_display[@]}" \
    "$(dirname "$program")/brennquist-print-helper" --print-helper \
    "$work/report.pdf" Brennquist $$ 5000 </dev/null) || fail "print helper exited $?"
grep -qx 'outcome [0-9]*' <<<"$helper" || fail "print helper said: $helper"

# A free display of our own; -displayfd tells which one it took.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM

# A program folder of its own, so the start-up notice does not depend on the build's.
cp "$program" "$work/brennquist"
printf 'NiMH\r\n3000\r\n10\r\n60\r\n10\r\n1\r\n15\r\n70\r\n900\r\n' >"$work/akku.dat"
"$work/brennquist" --unbekannt datei.txt >"$work/out" 2>&1 &
pids+=($!)
timeout 30 xdotool search --sync --name 'Luftschraubenberechnung' >/dev/null \
    || fail "no window after an unknown argument ($(cat "$work/out"))"
kill -0 "${pids[-1]}" || fail "the program ended"
# The window's process maps nothing that printing needs: that is the helper's.
if grep -E 'libcups|libQt6PrintSupport' "/proc/${pids[-1]}/maps" >/dev/null; then
    fail "the window's process maps a printing library"
fi
echo "command line: all checks passed"
