#!/usr/bin/env bash
# Builds the Debian package with scripts/package and checks it as Debian and
# the desktop do: lintian (no errors), desktop-file-validate, appstreamcli,
# the file list and the run-time dependencies.
# Usage: deb_package_test.sh SOURCE_DIR
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$root/scripts/package" >"$work/package.log" 2>&1 || { cat "$work/package.log"; fail "scripts/package"; }
deb=$(tail -n1 "$work/package.log")
[ "$(basename "$deb")" = "brennquist_1.0.0_$(dpkg --print-architecture).deb" ] || fail "named $deb"
echo "package: $deb ($(stat -c %s "$deb") bytes)"

# lintian names every tag it finds; only errors fail the test.
lintian --fail-on error --display-info "$deb" || fail "lintian found errors"

dpkg-deb -x "$deb" "$work/tree"
desktop-file-validate "$work/tree/usr/share/applications/com.example.Brennquist.desktop" \
    || fail "desktop-file-validate"
appstreamcli validate --no-net --explain \
    "$work/tree/usr/share/metainfo/com.example.Brennquist.metainfo.xml" || fail "appstreamcli"
# No warnings either.
if appstreamcli validate --no-net "$work/tree/usr/share/metainfo/com.example.Brennquist.metainfo.xml" \
    | grep -q '^W:'; then
    fail "appstreamcli warns"
fi

dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/files"
expected=(./usr/bin/brennquist
          ./usr/libexec/brennquist/brennquist-print-helper
          ./usr/share/applications/com.example.Brennquist.desktop
          ./usr/share/metainfo/com.example.Brennquist.metainfo.xml
          ./usr/share/icons/hicolor/scalable/apps/com.example.Brennquist.svg
          ./usr/share/man/man1/brennquist.1.gz
          ./usr/share/doc/brennquist/copyright
          ./usr/share/doc/brennquist/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/com.example.Brennquist.png")
done
for file in "${expected[@]}"; do
    grep -qxF "$file" "$work/files" || fail "package lacks $file"
done
[ "$(grep -cv '/$' "$work/files")" -eq "${#expected[@]}" ] \
    || fail "package holds files beyond the expected: $(grep -v '/$' "$work/files")"
for size in 16 256; do
    file "$work/tree/usr/share/icons/hicolor/${size}x${size}/apps/com.example.Brennquist.png" \
        | grep -q "PNG image data, $size x $size" || fail "${size}px icon is not ${size}x${size}"
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Whether a package is named in Depends, alone or as one of alternatives.
in_depends() { tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }' | grep -qxF "$1"; }
# The Debian packages that hold a file named like the pattern (`dpkg -S`), one a line.
owners_of() { dpkg-query -S "$1" 2>/dev/null | grep -v '^diversion ' | cut -d: -f1 | tr -d ' ' |
              tr ',' '\n' | sort -u; }

# What the program loads or calls without linking it, which dpkg-shlibdeps cannot see.
for needed in fonts-liberation fonts-comic-neue xdg-utils qt6-qpa-plugins qt6-wayland \
              qt6-translations-l10n; do
    in_depends "$needed" || fail "Depends lacks $needed"
done

# Every library the packed program and its print helper link comes from a package in Depends, under
# the name this release gives it (libcups2 or libcups2t64, say). A name may be
# held by several packages (libm.so.6 by libc6 and libc6-i386): one is enough.
mapfile -t linked < <(readelf -d "$work/tree/usr/bin/brennquist" \
    "$work/tree/usr/libexec/brennquist/brennquist-print-helper" |
    sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort -u)
[ ${#linked[@]} -gt 0 ] || fail "the packed program links no library"
for library in "${linked[@]}"; do
    mapfile -t packages < <(owners_of "*/$library")
    [ ${#packages[@]} -gt 0 ] || fail "no installed package holds $library"
    found=no
    for package in "${packages[@]}"; do
        in_depends "$package" && found=yes
    done
    [ $found = yes ] || fail "Depends lacks what holds $library: ${packages[*]}"
done
echo "linked libraries and their packages in Depends: ${#linked[@]}"
"$work/tree/usr/bin/brennquist" --version | grep -qx 'Brennquist 1.0.0' || fail "packed program"
echo "deb package: all checks passed"
