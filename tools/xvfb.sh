# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that show the program on a virtual display.
#
# start_xvfb [:N] starts Xvfb (1280x800, 24 bits, no TCP) on display :N, or
# on the first free display, and returns once the server listens. It sets
# `display` to the display's number and `xvfb_pid` to the server's process;
# the caller stops it.
start_xvfb() {
    local number_file
    number_file=$(mktemp)
    if [[ -n ${1:-} ]]; then
        echo "${1#:}" >"$number_file"
        Xvfb "$1" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    else
        # Xvfb writes the number of the display it found free once it listens.
        Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    fi
    xvfb_pid=$!
    for _ in $(seq 50); do
        [[ -s $number_file && -e /tmp/.X11-unix/X$(<"$number_file") ]] && break
        sleep 0.1
    done
    display=$(<"$number_file")
    rm -f "$number_file"
}
