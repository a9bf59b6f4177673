# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that show the program on a virtual display.
#
# start_xvfb [:N] starts Xvfb (1280x800, 24 bits, no TCP) on display :N, or
# on the first free display, and returns once the server listens. The server
# does not reset when its last client goes (-noreset): a program started
# right after one was killed would otherwise meet a server in the middle of
# its reset and fail to connect. It sets
# `display` to the display's number and `xvfb_pid` to the server's process;
# the caller stops it. A server that does not start (the display is taken,
# Xvfb is missing, it ends or stays silent for five seconds) is reported on
# standard error with Xvfb's own words, and start_xvfb returns 1 with
# `xvfb_pid` empty.
#
# until_true SECONDS COMMAND... runs the command (quietly) every tenth of a
# second until it succeeds, and returns 1 when it has not within the time:
# the wait for a window, a dialog or the clipboard of a program on the
# display.
start_xvfb() {
    local number_file server_log listening=
    number_file=$(mktemp)
    server_log=$(mktemp)
    if [[ -n ${1:-} ]]; then
        echo "${1#:}" >"$number_file"
        Xvfb "$1" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>"$server_log" &
    else
        # Xvfb writes the number of the display it found free once it listens.
        Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>"$server_log" &
    fi
    xvfb_pid=$!
    for _ in $(seq 50); do
        # A display of our choice is ours once its socket exists and its lock
        # names our server: a server already on :N has the socket too, while
        # ours ends. A free display that Xvfb chose is ours once it names it.
        if [[ -s $number_file ]]; then
            display=$(<"$number_file")
            if [[ -z ${1:-} ]] || [[ -e /tmp/.X11-unix/X$display &&
                $(tr -d ' ' 2>/dev/null </tmp/.X"$display"-lock) == "$xvfb_pid" ]]; then
                listening=1
                break
            fi
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    display=$(<"$number_file")
    rm -f "$number_file"
    if [[ -z $listening ]]; then
        echo "xvfb.sh: the X server${display:+ on display :$display} did not start" >&2
        sed 's/^/    /' "$server_log" >&2
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
        rm -f "$server_log"
        return 1
    fi
    rm -f "$server_log"
}

until_true() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
