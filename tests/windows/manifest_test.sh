#!/usr/bin/env bash
# The manifests as Windows reads them, taken back out of the packed files:
# the program declares Windows 10 and 11, asInvoker, Common Controls 6 and
# per-monitor v2, and no code page of its own; the installer declares the
# same systems, asInvoker (it asks for rights only for all users) and DPI
# awareness.
# Usage: manifest_test.sh SETUP.EXE
set -euo pipefail
setup=$1
declare -A packed=([setup]=$setup
                   [program]=$(dirname "$setup")/$(basename "$setup" -setup.exe)/brennquist.exe)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for file in program setup; do
    # Resource type 24 is RT_MANIFEST.
    wrestool -x --raw -t 24 "${packed[$file]}" > "$work/$file.manifest" || true
    if [ ! -s "$work/$file.manifest" ]; then
        echo "FAIL: no manifest in ${packed[$file]}" >&2
        exit 1
    fi
done

node() { echo "//*[local-name()='$1']"; }
while IFS='|' read -r file query expected; do
    read -r file <<<"$file"
    read -r query <<<"$query"
    read -r expected <<<"$expected"
    answer=$(xmllint --xpath "$query" "$work/$file.manifest")
    if [ "$answer" != "$expected" ]; then
        echo "FAIL: $file: $query is '$answer', not '$expected'" >&2
        status=1
    fi
done <<CASES
program | string($(node supportedOS)/@Id)                            | {8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}
program | count($(node supportedOS))                                 | 1
program | string($(node requestedExecutionLevel)/@level)              | asInvoker
program | string($(node assemblyIdentity)[@name='Microsoft.Windows.Common-Controls']/@version) | 6.0.0.0
program | string($(node dpiAwareness))                               | PerMonitorV2
program | count($(node activeCodePage))                              | 0
setup   | string($(node supportedOS)/@Id)                            | {8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}
setup   | count($(node supportedOS))                                 | 1
setup   | string($(node requestedExecutionLevel)/@level)              | asInvoker
setup   | string($(node dpiAware))                                   | true
CASES
[ "$status" -eq 0 ] && echo "manifests: as expected"
exit "$status"
