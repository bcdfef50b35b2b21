#!/usr/bin/env bash
# Fails when a file outside the linux/ and windows/ folders of a module
# includes an operating system's header: such code belongs in the folder of
# the one platform that compiles it. With --self-check it first shows that a
# planted include is caught.
set -euo pipefail

MODULES=(engine process storage report mail ui app)
# POSIX, Linux, X11/Wayland, CUPS and Win32 headers, by name or folder.
OS_HEADERS='(sys|netinet|arpa|linux|cups|xcb|X11)/[^>]+|(unistd|fcntl|poll|pwd|grp|spawn|dirent|dlfcn|termios|pthread|wayland-[a-z-]+|windows|winbase|winspool|shellapi|shlobj|knownfolders|io|direct)\.h'

# Prints each offending "file:line: include" below the tree ROOT.
offending_includes() {
    local root=$1 module
    for module in "${MODULES[@]}"; do
        [ -d "$root/$module" ] || continue
        find "$root/$module" \( -name linux -o -name windows \) -prune -o \
            -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
            xargs -0 -r grep -HnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($OS_HEADERS)>" ||
            true
    done
}

if [ "${1:-}" = --self-check ]; then
    shift
    planted=$(mktemp -d)
    trap 'rm -rf "$planted"' EXIT
    mkdir -p "$planted/storage/linux"
    echo '#include <unistd.h>' > "$planted/storage/linux/allowed.cpp"
    printf '#include <string>\n#include <windows.h>\n' > "$planted/storage/planted.cpp"
    echo '#include <sys/types.h>' > "$planted/storage/planted.h"
    found=$(offending_includes "$planted" | sort)
    expected="$planted/storage/planted.cpp:2:#include <windows.h>
$planted/storage/planted.h:1:#include <sys/types.h>"
    if [ "$found" != "$expected" ]; then
        echo "the check did not single out the planted include: ${found:-nothing}" >&2
        exit 1
    fi
fi

root=${1:?usage: os_headers_test.sh [--self-check] SOURCE_ROOT}
found=$(offending_includes "$root")
if [ -n "$found" ]; then
    echo "Operating system headers outside linux/ and windows/ folders:" >&2
    echo "$found" >&2
    exit 1
fi
echo "No module root includes an operating system's header."
