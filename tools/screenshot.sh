#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes a picture of Kolvane as a person would see it, without a display of
# our own: starts Xvfb on a free display, runs the program (with an optional
# task file), waits until the exercise window has opened, saves the screen
# as a PNG and prints its path.
#   tools/screenshot.sh [task-file.kvn]     KOLVANE_WAIT=seconds (default 5)
set -euo pipefail
# A file named relative to where we were called from must still be found
# after the change to the source folder.
args=()
for arg in "$@"; do
    [[ $arg == /* ]] || arg=$PWD/$arg
    args+=("$arg")
done
set -- ${args[@]+"${args[@]}"}
cd "$(dirname "$0")/.."
build=${KOLVANE_BUILD:-build}
program=$build/app/kolvane
wait_seconds=${KOLVANE_WAIT:-5}
out=${KOLVANE_SCREENSHOT:-$(mktemp --suffix=.png /tmp/kolvane-XXXXXX)}

if [[ ! -x $program ]]; then
    echo "screenshot.sh: $program is not built" >&2
    exit 1
fi
for tool in Xvfb import; do
    command -v "$tool" >/dev/null || { echo "screenshot.sh: $tool is missing" >&2; exit 1; }
done


xvfb_pid= program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap cleanup EXIT

source tools/xvfb.sh
start_xvfb

DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$program" "$@" >/dev/null 2>&1 &
program_pid=$!
sleep "$wait_seconds"
DISPLAY=":$display" import -window root "$out"
echo "$out"
