#!/usr/bin/env bash
# Sets up and takes down the print queue that the end-to-end report test
# prints to: a cups-pdf queue as the system's default printer, served by a
# cupsd this script starts when none is running.
#
#   print_queue.sh start STATE_FOLDER
#   print_queue.sh stop STATE_FOLDER
#
# Both are safe to repeat. Without root nothing is set up and the test that
# needs the queue skips itself with a reason.
set -euo pipefail
export LC_ALL=C

QUEUE=BrennquistPDF
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

action=${1:?usage: print_queue.sh start|stop STATE_FOLDER}
state=${2:?usage: print_queue.sh start|stop STATE_FOLDER}
pidfile=$state/cupsd.pid

# Every CUPS command here talks to this system's scheduler over its local
# socket, where root is known by its peer credentials. Without the socket they
# would fall back to localhost:631, which in a chroot can be the host's
# scheduler: it would be taken for ours, and it refuses root of another system
# ("lpadmin: Unauthorized").
socket=$(awk '$1 == "Listen" && $2 ~ /^\// { print $2; exit }' /etc/cups/cupsd.conf 2>/dev/null || true)
export CUPS_SERVER=${socket:-/run/cups/cups.sock}

scheduler_running() {
    lpstat -r 2>/dev/null | grep -q '^scheduler is running'
}

# The process id of the cupsd this script started, if it still runs.
our_cupsd() {
    [ -f "$pidfile" ] || return 1
    local pid
    pid=$(cat "$pidfile")
    [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ] || return 1
    echo "$pid"
}

stop_our_cupsd() {
    local pid
    pid=$(our_cupsd) || { rm -f "$pidfile"; return 0; }
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        [ -d "/proc/$pid" ] || break
        sleep 0.2
    done
    rm -f "$pidfile"
}

start() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "No print queue set up: starting cupsd and adding a queue needs root."
        return 0
    fi
    local tool
    for tool in /usr/sbin/cupsd lpadmin lpstat cupsenable cupsaccept cancel; do
        command -v "$tool" >/dev/null || { echo "missing $tool (package cups)" >&2; return 1; }
    done
    [ -f "$PPD" ] || { echo "missing $PPD (package printer-driver-cups-pdf)" >&2; return 1; }

    mkdir -p "$state" /run/cups
    if ! scheduler_running; then
        # A cupsd of an earlier run that no longer answers is replaced.
        stop_our_cupsd
        setsid /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
        echo $! >"$pidfile"
        for _ in $(seq 100); do
            scheduler_running && break
            sleep 0.2
        done
        scheduler_running || { echo "cupsd did not start" >&2; return 1; }
    fi

    # Adding an existing queue again only updates it. pdftocairo keeps the
    # text of the printed PDF extractable.
    lpadmin -p "$QUEUE" -v cups-pdf:/ -P "$PPD" -E -o pdftops-renderer-default=pdftocairo 2>&1 |
        grep -v 'drivers are deprecated' || true
    lpadmin -d "$QUEUE"
    cupsenable "$QUEUE"
    cupsaccept "$QUEUE"
    cancel -a "$QUEUE" 2>/dev/null || true
    echo "Print queue $QUEUE is the default printer."
}

stop() {
    [ "$(id -u)" -eq 0 ] || return 0
    if scheduler_running; then
        lpadmin -x "$QUEUE" 2>/dev/null || true
    fi
    stop_our_cupsd
    echo "Print queue $QUEUE removed."
}

case $action in
start) start ;;
stop) stop ;;
*)
    echo "usage: print_queue.sh start|stop STATE_FOLDER" >&2
    exit 2
    ;;
esac
