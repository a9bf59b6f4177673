#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A real CUPS printer for the test run, as a school's desktop has one:
#   tools/print-queue.sh up     installs CUPS from Debian's packages (as
#                               root), starts cupsd if it does not run, adds
#                               the queue Klasse-PDF (a PDF printer writing
#                               to a file) and makes it the default printer
#   tools/print-queue.sh down   undoes what "up" did, and only that: removes
#                               the queue it added, gives the default back to
#                               the printer that had it, stops a cupsd it
#                               started
# What "up" did is noted in a state file, so "down" leaves a machine's own
# printers and its own cupsd alone.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/apt-packages.sh"

queue=Klasse-PDF
ppd=lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd
state=${KOLVANE_PRINT_QUEUE_STATE:-/tmp/kolvane-print-queue.state}
output=${KOLVANE_PRINT_QUEUE_OUTPUT:-/tmp/kolvane-print-queue.pdf}

cupsd_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

up() {
    install_missing cups cups-client cups-filters
    : >"$state"
    # A queue that prints into a file needs cupsd's permission.
    if ! grep -qx 'FileDevice Yes' /etc/cups/cups-files.conf; then
        echo 'FileDevice Yes' >>/etc/cups/cups-files.conf
        echo filedevice >>"$state"
        if cupsd_running; then
            # The new setting only takes at cupsd's start.
            kill "$(pgrep -x cupsd)" 2>/dev/null || true
            for _ in $(seq 50); do cupsd_running || break; sleep 0.1; done
        fi
    fi
    if ! cupsd_running; then
        cupsd
        echo cupsd >>"$state"
        for _ in $(seq 100); do cupsd_running && break; sleep 0.1; done
        cupsd_running || { echo "print-queue.sh: cupsd did not start" >&2; exit 1; }
    fi
    if ! lpstat -p "$queue" >/dev/null 2>&1; then
        # lpadmin warns that printer drivers are deprecated; the queue works.
        lpadmin -p "$queue" -v "file://$output" -E -m "$ppd" 2>/dev/null
        echo queue >>"$state"
    fi
    local previous
    previous=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
    if [[ $previous != "$queue" ]]; then
        lpadmin -d "$queue"
        echo "default ${previous}" >>"$state"
    fi
    echo "print-queue.sh: default printer $(lpstat -d)"
}

down() {
    [[ -f $state ]] || return 0
    local line
    while read -r line; do
        case $line in
            default\ ?*) lpadmin -d "${line#default }" || true ;;
            queue) lpadmin -x "$queue" || true ;;
        esac
    done <"$state"
    if grep -qx cupsd "$state"; then
        kill "$(pgrep -x cupsd)" 2>/dev/null || true
    fi
    if grep -qx filedevice "$state"; then
        sed -i '/^FileDevice Yes$/d' /etc/cups/cups-files.conf
    fi
    rm -f "$state" "$output"
}

case ${1:-} in
    up) up ;;
    down) down ;;
    *) echo "usage: tools/print-queue.sh up|down" >&2; exit 2 ;;
esac
