#!/usr/bin/env bash
# An installed tree keeps akku.dat per user; a copy outside one keeps it beside
# itself. Installs the build into a temporary prefix and starts the real
# window there (offscreen) through settings_probe, with a temporary HOME and
# XDG_CONFIG_HOME.
# Usage: installed_tree_test.sh BUILD_DIR SETTINGS_PROBE
set -euo pipefail
build=$1
probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
notice='box=Hinweis: gespeicherte Daten nicht lesbar oder nicht vorhanden!'

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in bin/brennquist libexec/brennquist/brennquist-print-helper \
            share/applications/com.example.Brennquist.desktop \
            share/metainfo/com.example.Brennquist.metainfo.xml \
            share/icons/hicolor/scalable/apps/com.example.Brennquist.svg \
            share/icons/hicolor/48x48/apps/com.example.Brennquist.png \
            share/man/man1/brennquist.1.gz; do
    [ -f "$work/prefix/$file" ] || fail "cmake --install did not lay out $file"
done
# The probe stands in for the program, beside it.
cp "$probe" "$work/prefix/bin/brennquist_probe"
before=$(cd "$work/prefix" && find . | sort)

export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME"
run() { "$@" 2>"$work/stderr" || fail "$* exited $? ($(cat "$work/stderr"))"; }

# First start: nothing saved yet, so the notice; Speichern creates the folder.
out=$(run "$work/prefix/bin/brennquist_probe" 4711)
[ "$out" = $'txtK=4711\n'"$notice" ] || fail "first start and save said: $out"
[ -f "$XDG_CONFIG_HOME/brennquist/akku.dat" ] || fail "no $XDG_CONFIG_HOME/brennquist/akku.dat"
[ "$(stat -c %a "$XDG_CONFIG_HOME/brennquist")" = 700 ] || fail "config folder not private"
# Next start: the saved capacity, no notice.
out=$(run "$work/prefix/bin/brennquist_probe")
[ "$out" = "txtK=4711" ] || fail "second start said: $out"
[ "$before" = "$(cd "$work/prefix" && find . | sort)" ] || fail "wrote into the installed tree"

# Without XDG_CONFIG_HOME: ~/.config.
out=$(XDG_CONFIG_HOME='' run "$work/prefix/bin/brennquist_probe" 815)
[ "$out" = $'txtK=815\n'"$notice" ] || fail "save without XDG_CONFIG_HOME said: $out"
[ -f "$HOME/.config/brennquist/akku.dat" ] || fail "no ~/.config/brennquist/akku.dat"

# A copy outside an installed tree, as in a build or unpacked folder: its own folder.
mkdir "$work/portable"
cp "$probe" "$work/portable/brennquist"
out=$(run "$work/portable/brennquist" 42)
[ "$out" = $'txtK=42\n'"$notice" ] || fail "portable save said: $out"
[ -f "$work/portable/akku.dat" ] || fail "portable copy did not save beside itself"
[ "$(sed -n 2p "$XDG_CONFIG_HOME/brennquist/akku.dat")" = $'4711\r' ] \
    || fail "portable copy touched the user's settings"
echo "installed tree: all checks passed"
