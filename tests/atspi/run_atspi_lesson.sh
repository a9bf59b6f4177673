#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the lesson through the accessibility bus (atspi_lesson.py) on a
# virtual display of its own and in a D-Bus session of its own, where the
# accessibility bus starts on demand; openbox activates the windows as a
# desktop would, so that the focus is where a pupil's would be.
#   tests/atspi/run_atspi_lesson.sh PROGRAM
# KOLVANE_TEST_DISPLAY (for example :93) chooses the virtual display, as for
# tools/check-killed-lesson.sh.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb dbus-run-session openbox xclip /usr/bin/python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "run_atspi_lesson.sh: $tool is missing (tools/install-deps.sh installs it)" >&2
        exit 1
    fi
done
if ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
    echo "run_atspi_lesson.sh: GLib's Atspi for Python is missing (tools/install-deps.sh)" >&2
    exit 1
fi

xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap cleanup EXIT
source "$here/../../tools/xvfb.sh"
start_xvfb "${KOLVANE_TEST_DISPLAY:-}"
export DISPLAY=":$display"

# The lesson's own waits end it well before this bound on a hang.
timeout --kill-after=10 240 dbus-run-session -- bash -c '
    openbox >/dev/null 2>&1 &
    openbox_pid=$!
    status=0
    /usr/bin/python3 "$1" "$2" || status=$?
    kill "$openbox_pid" 2>/dev/null || true
    exit "$status"' bash "$here/atspi_lesson.py" "$program"
