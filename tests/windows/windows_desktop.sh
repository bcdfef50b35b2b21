# Helpers of the end-to-end tests: the Windows program under Wine on the
# virtual display CTest runs in, driven with xdotool as a user would. Sourced.
export WINEDEBUG=-all

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_for_window TITLE [SECONDS]: prints the X window id once a window with
# exactly this title is shown; fails after SECONDS (default 60).
wait_for_window() {
    local title=$1 seconds=${2:-60} id
    for ((tenth = 0; tenth < seconds * 10; tenth++)); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# wait_until_gone WINDOW [SECONDS]
wait_until_gone() {
    local id=$1 seconds=${2:-30}
    for ((tenth = 0; tenth < seconds * 10; tenth++)); do
        xdotool getwindowname "$id" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# keys WINDOW KEY...: gives the window the keyboard and presses the keys.
# Sent to the focused window, not with --window: Qt ignores synthetic events.
keys() {
    local id=$1
    shift
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
    xdotool key --delay 150 "$@"
}

# wait_for_file PATH [SECONDS]
wait_for_file() {
    local path=$1 seconds=${2:-30}
    for ((tenth = 0; tenth < seconds * 10; tenth++)); do
        [ -s "$path" ] && return 0
        sleep 0.1
    done
    return 1
}

readonly MAIN_TITLE_START="Brennquist \\+ Luftschraubenberechnung"
readonly NOTICE_TEXT="gespeicherte Daten nicht lesbar oder nicht vorhanden!"

# start_first_time EXE [SHOT]: starts the program where it has no saved
# inputs, closes the notice about them (after a screenshot to SHOT, if given)
# and sets PROGRAM to its process and WINDOW to its window.
start_first_time() {
    local exe=$1 shot=${2:-} notice
    wine "$exe" &
    PROGRAM=$!
    notice=$(wait_for_window "Hinweis") || fail "no notice about the missing akku.dat"
    [ -z "$shot" ] || import -window root "$shot"
    keys "$notice" Return
    WINDOW=$(main_window) || fail "the window did not follow the notice"
    sleep 1
}

# main_window: the id of the program's window, whose title ends with the version.
main_window() {
    wait_for_window "${MAIN_TITLE_START}.*" "${1:-60}"
}

# check_saved_file PATH: nine lines with CR LF, Windows-1252, the series
# circuit of four cells in the fifth.
check_saved_file() {
    local path=$1
    [ -f "$path" ] || fail "no $path"
    local lines
    lines=$(tr -cd '\n' < "$path" | wc -c)
    [ "$lines" -eq 9 ] || fail "$path has $lines lines, not 9"
    [ "$(tr -cd '\r' < "$path" | wc -c)" -eq 9 ] || fail "$path: not every line ends with CR LF"
    iconv -f WINDOWS-1252 -t UTF-8 "$path" >/dev/null || fail "$path is no Windows-1252 text"
    [ "$(sed -n 5p "$path" | tr -d '\r')" = "4" ] || fail "$path: the fifth line is not 4"
    [ "$(sed -n 1p "$path" | tr -d '\r')" = "Lithium Polymer/Ionen" ] || fail "$path: cell type"
}

# save_four_cells WINDOW: types 4 into the series field (the fifth stop from
# the cell list, where the focus starts) and presses Speichern (seven stops on).
save_four_cells() {
    local id=$1
    keys "$id" Tab Tab Tab Tab ctrl+a 4 Tab Tab Tab Tab Tab Tab Tab space
}

# press_print WINDOW: Drucken, seven stops on from the cell list where the
# focus starts.
press_print() {
    local id=$1
    keys "$id" Tab Tab Tab Tab Tab Tab Tab space
}

# quit_program WINDOW [AFTER_SAVE|AFTER_PRINT]: Beenden, eight stops on from
# the cell list where the focus starts, three back from Speichern after a
# save, or the next stop after Drucken.
quit_program() {
    local id=$1
    if [ "${2:-}" = after_save ]; then
        keys "$id" shift+Tab shift+Tab shift+Tab space
    elif [ "${2:-}" = after_print ]; then
        keys "$id" Tab space
    else
        keys "$id" Tab Tab Tab Tab Tab Tab Tab Tab space
    fi
    wait_until_gone "$id" 30 || fail "the window did not close on Beenden"
}
