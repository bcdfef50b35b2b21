#!/usr/bin/env bash
# The installer in the situations a user meets it, one row each: a fresh
# install, an upgrade over today's 1.0.0 (built from its own script over the
# same folder plus a file only it had, as a renamed Qt plugin), the same
# version again, a lower version over this one, an install or uninstall while
# Brennquist runs, and an install for the current user only. An install
# leaves exactly this version's files, one entry in the installed programs,
# a Start-menu entry; the copy saves akku.dat in %APPDATA%\Brennquist, also
# where the user's name is beyond the ANSI code page, and the uninstaller
# removes the program and keeps every akku.dat. A refusal changes nothing.
# Usage: installer_test.sh SETUP.EXE SOURCE_TREE  (WINEPREFIX and DISPLAY set)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows_desktop.sh"
setup=$1
source_tree=$2
shots=$PWD
unset WINEPATH

version=$(basename "$setup" | sed -n 's/^Brennquist-\(.*\)-setup\.exe$/\1/p')
stage="$(dirname "$setup")/Brennquist-$version"
[ -d "$stage" ] || fail "no program folder $stage beside the installer"
work=$(mktemp -d)

# The user's roaming folder under a name the ANSI code page cannot hold, put
# back as it was afterwards.
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
roaming=$(wine reg query "$shell_folders" /v AppData | tr -d '\r' | sed -n 's/.*REG_EXPAND_SZ *//p')
[ -n "$roaming" ] || fail "no roaming folder in $shell_folders"
drive_c="$WINEPREFIX/drive_c"
profile="$drive_c/users/Ольга Łukasz"
trap 'wine reg add "$shell_folders" /v AppData /t REG_EXPAND_SZ /d "$roaming" /f >/dev/null
      rm -rf "$profile" "$work"' EXIT
mkdir -p "$profile/AppData/Roaming"
wine reg add "$shell_folders" /v AppData /t REG_EXPAND_SZ /f \
    /d 'C:\users\Ольга Łukasz\AppData\Roaming' >/dev/null
settings="$profile/AppData/Roaming/Brennquist/akku.dat"

all_users="$drive_c/Program Files/Brennquist"
local_appdata=$(wine cmd /c 'echo %LOCALAPPDATA%' </dev/null | tr -d '\r')
current_user="$(realpath -m "$(winepath -u "$local_appdata")")/Programs/Brennquist"
all_users_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brennquist.lnk"
entry='Software\Microsoft\Windows\CurrentVersion\Uninstall\Brennquist'

# make_installer OUT VERSION NSI FOLDER: an installer built as
# scripts/package-windows builds it.
make_installer() {
    "$source_tree/scripts/windows/uninstall-list" "$4" > "$work/files-$2.nsh"
    makensis -V1 -INPUTCHARSET UTF8 -DVERSION="$2" -DSTAGE="$4" -DFILES="$work/files-$2.nsh" \
        -DICON=/usr/share/nsis/Contrib/Graphics/Icons/modern-install.ico -DOUTFILE="$1" "$3" \
        >/dev/null || fail "makensis failed on $3"
}
cp -rL "$stage" "$work/stage-1.0.0"
cp "$stage/Qt6Core.dll" "$work/stage-1.0.0/styles/qwindowsstyle-1.0.dll"
git -C "$source_tree" show eb94769:data/packaging/windows/brennquist.nsi > "$work/old.nsi" ||
    fail "today's installer script (commit eb94769) is not in $source_tree"
make_installer "$work/old-setup.exe" 1.0.0 "$work/old.nsi" "$work/stage-1.0.0"
make_installer "$work/lower-setup.exe" 0.9.0 "$source_tree/data/packaging/windows/brennquist.nsi" "$stage"

# Nothing installed, and the user's akku.dat, which must outlive every row:
# the one the first row saves.
reset_machine() {
    rm -rf "$all_users" "$current_user" "$all_users_menu"
    find "$drive_c/users" -name Brennquist.lnk -delete
    wine reg delete "HKLM\\$entry" /f >/dev/null 2>&1 || true
    wine reg delete "HKCU\\$entry" /f >/dev/null 2>&1 || true
    if [ -f "$work/kept-akku.dat" ]; then
        cp "$work/kept-akku.dat" "$settings"
    fi
}

# What a refusal must leave as it was.
snapshot() {
    { find "$all_users" "$all_users_menu" "$drive_c/users" -path '*Brennquist*' \
        -printf '%p %s %T@\n' 2>/dev/null || true; } | sort
    wine reg query "HKLM\\$entry" 2>/dev/null || true
    wine reg query "HKCU\\$entry" 2>/dev/null || true
}

# run WHAT ARGS...: the new, the lower or the installed uninstaller, waited
# for; its exit code in CODE. The uninstaller runs in its folder (_?=, last
# and unquoted: Wine joins the words with a space), as only then does its
# exit code reach the caller.
run() {
    local what=$1
    shift
    CODE=0
    case $what in
    new) wine "$setup" "$@" || CODE=$? ;;
    lower) wine "$work/lower-setup.exe" "$@" || CODE=$? ;;
    uninstall)
        # shellcheck disable=SC2046 # split on purpose, see above
        wine "$all_users/uninstall.exe" "$@" _?=$(winepath -w "$all_users") || CODE=$?
        ;;
    *) fail "no installer $what" ;;
    esac
}

# check_installed FOLDER ROOT: exactly the program folder's files and the
# uninstaller; one entry, in ROOT, with this version, its size and web address.
check_installed() {
    local folder=$1 root=$2 other=HKCU
    [ "$root" = HKLM ] || other=HKLM
    diff <(cd "$folder" && find . | sort) <({ (cd "$stage" && find .); echo ./uninstall.exe; } | sort) ||
        fail "$folder does not hold exactly the new version's files"
    local values
    values=$(wine reg query "$root\\$entry" | tr -d '\r') || fail "no entry in $root"
    grep -q "DisplayVersion *REG_SZ *$version\$" <<<"$values" || fail "the entry is not $version"
    grep -q 'URLInfoAbout *REG_SZ *https://' <<<"$values" || fail "the entry has no web address"
    grep -q 'EstimatedSize *REG_DWORD *0x[1-9a-f]' <<<"$values" || fail "the entry has no size"
    if wine reg query "$other\\$entry" >/dev/null 2>&1; then
        fail "a second entry in $other"
    fi
}

# saves_and_uninstalls FOLDER MENU_ENTRY: the copy saves per user; its
# uninstaller removes it and its entries and keeps akku.dat.
saves_and_uninstalls() {
    local folder=$1 menu=$2
    [ -f "$menu" ] || fail "no Start-menu entry $menu"
    if [ "${SAVE:-}" = yes ]; then
        rm -f "$settings"
        start_first_time "$folder/brennquist.exe"
        save_four_cells "$WINDOW"
        wait_for_file "$settings" 30 || fail "the installed copy saved nothing to $settings"
        check_saved_file "$settings"
        [ ! -e "$folder/akku.dat" ] || fail "the installed copy saved into its own folder"
        import -window root "$shots/installed-window-$ROW.png"
        quit_program "$WINDOW" after_save
        wait "$PROGRAM" || fail "the program ended with an error"
        cp "$settings" "$work/kept-akku.dat"
    fi
    wine "$folder/uninstall.exe" /S
    for ((tenth = 0; tenth < 600; tenth++)); do
        [ -e "$folder" ] || break
        sleep 0.1
    done
    [ ! -e "$folder" ] || fail "the uninstaller left $folder"
    [ ! -e "$menu" ] || fail "the uninstaller left the Start-menu entry"
    if wine reg query "HKLM\\$entry" >/dev/null 2>&1 || wine reg query "HKCU\\$entry" >/dev/null 2>&1; then
        fail "the uninstaller left the entry in the installed programs"
    fi
}

expect_all_users() {
    check_installed "$all_users" HKLM
    saves_and_uninstalls "$all_users" "$all_users_menu"
}

expect_current_user() {
    check_installed "$current_user" HKCU
    saves_and_uninstalls "$current_user" "$(find "$drive_c/users" -name Brennquist.lnk | head -n 1)"
}

expect_unchanged() {
    diff "$work/before" <(snapshot) || fail "the refusal changed the installation"
}

# situation, what is there before, what runs, its exit code, what must follow,
# whether the installed copy saves
ROW=0
while IFS='|' read -r situation before action code outcome save; do
    for column in situation before action code outcome save; do
        read -r "${column?}" <<<"${!column}"   # without the blanks around it
    done
    ROW=$((ROW + 1))
    reset_machine
    case $before in
    old) wine "$work/old-setup.exe" /S || fail "$situation: today's installer failed"
         [ -f "$all_users/styles/qwindowsstyle-1.0.dll" ] || fail "$situation: 1.0.0 not installed" ;;
    new | running)
        run new /S
        [ "$CODE" -eq 0 ] || fail "$situation: the installer failed with $CODE"
        ;;
    esac
    snapshot > "$work/before"
    if [ "$before" = running ]; then
        wine "$all_users/brennquist.exe" &
        PROGRAM=$!
        WINDOW=$(main_window 60) || fail "$situation: the installed copy did not start"
    fi
    # shellcheck disable=SC2086 # the installer and its arguments
    run $action
    if [ "$before" = running ]; then
        quit_program "$WINDOW"
        wait "$PROGRAM" || fail "$situation: the program ended with an error"
    fi
    [ "$CODE" -eq "$code" ] || fail "$situation: exit code $CODE, not $code"
    SAVE=$save "expect_$outcome"
    cmp -s "$settings" "$work/kept-akku.dat" || fail "$situation: the user's akku.dat is not kept"
    echo "installer, $situation: as expected"
done <<'CASES'
fresh, for all users          | nothing | new /S              | 0    | all_users    | yes
over today's 1.0.0            | old     | new /S              | 0    | all_users    | no
over the same version         | new     | new /S              | 0    | all_users    | no
a lower version over this one | new     | lower /S            | 4    | unchanged    | no
install while it runs         | running | new /S              | 3    | unchanged    | no
uninstall while it runs       | running | uninstall /S        | 3    | unchanged    | no
for the current user          | nothing | new /S /CurrentUser | 0    | current_user | yes
CASES
