#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A lesson survives kill -9. The program runs under Xvfb without a window
# manager, as a pupil uses it by keys: a task, observations, an experiment
# row, a check, a heading, and a copy of the log. Then kill -9, a new start,
# which asks whether the lesson should come back, "Ja", and a copy again:
# the second copy is the first one followed by a blank and the same summary
# once more (the copy's print activity goes on, and every record came back
# with its time and counts). After that a normal end removes the journal,
# and the next start asks nothing.
#   tools/check-killed-lesson.sh PROGRAM     (ctest runs it on the test build)
# KOLVANE_TEST_DISPLAY (for example :93) chooses the virtual display.
set -euo pipefail
program=$(realpath "$1")
cd "$(dirname "$0")/.."
tools/install-deps.sh --run >&2
source tools/xvfb.sh

work=$(mktemp -d /tmp/kolvane-killed-XXXXXX)
xvfb_pid= program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill -9 "$program_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL $*"
    [[ -n $xvfb_pid ]] && ! kill -0 "$xvfb_pid" 2>/dev/null && echo "(the display :$display is gone)"
    echo "--- program output"
    cat "$work/program.log" 2>/dev/null || true
    exit 1
}

# A display that answers; one that does not within ten seconds is left for
# another.
answers() { DISPLAY=:$display xdotool getdisplaygeometry; }
for _ in 1 2 3; do
    start_xvfb "${KOLVANE_TEST_DISPLAY:-}" || continue
    until_true 10 answers && break
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
done
[[ -n $xvfb_pid ]] || fail "no virtual display"

# The journal goes to a home of the test's own; leaks of the platform's
# libraries at a kill are no part of this test.
mkdir -m 0700 "$work/runtime"
export DISPLAY=:$display HOME=$work XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config \
    XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0
journals=$XDG_DATA_HOME/Kolvane

locked() { compgen -G "$journals/lesson-*.journal.lock" >/dev/null; }
clipboard() { xclip -o -selection clipboard 2>/dev/null; }
copied() { clipboard | grep -q "Antal datasæt"; }
ended() {
    local state
    state=$(ps -o stat= -p "$program_pid") || return 0
    [[ $state == Z* ]]
}

# The program's windows: the main window, and the dialog open over it.
main_id=
# (--all: the pid and the name, not either.)
main_window() {
    xdotool search --all --onlyvisible --pid "$program_pid" --name '^   Kolvane   Version'
}
has_main() { [[ -n $(main_window 2>/dev/null) ]]; }
dialog() { xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -vx "$main_id" | head -1; }
dialog_open() { [[ -n $(dialog) ]]; }
no_dialog() { [[ -z $(dialog) ]]; }
# Keys, one after the other, to the main window; and to the dialog that
# opens, which is waited for, as is its closing.
main_keys() {
    xdotool windowfocus "$main_id"
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.4
    done
}
dialog_keys() {
    until_true 30 dialog_open || fail "no dialog for the keys $*"
    xdotool windowfocus "$(dialog)"
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.3
    done
    until_true 30 no_dialog || fail "the dialog stayed open after the keys $*"
}

# Starts the program and waits for its main window and, unless told
# otherwise, for the exercise window (the journal's lock is taken as it
# opens).
start() {
    "$program" >>"$work/program.log" 2>&1 &
    program_pid=$!
    until_true 60 has_main || fail "no main window"
    main_id=$(main_window | head -1)
    [[ ${1:-} == --asked ]] && return
    until_true 60 locked || fail "no journal taken"
    sleep 1
}

start
main_keys v
dialog_keys 5 Return
main_keys o e Return 4 Right Return 2 k
for _ in 1 2 3 4 5; do
    main_keys Return
    dialog_keys 7 Return
    main_keys Down
done
main_keys u n
dialog_keys I d a Return Return
main_keys ctrl+c
until_true 20 copied || fail "the first copy did not come"
clipboard >"$work/before"
head -1 "$work/before" | grep -qx Ida || fail "no heading"
grep -q "Antal rigtige:" "$work/before" || fail "no check"
grep -q "^           [1-9]     [1-9]     [1-9]     ---> " "$work/before" || fail "no experiment row"

kill -9 "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=
compgen -G "$journals/lesson-*.journal" >/dev/null || fail "no journal after kill -9"

# The new start asks, and "Ja" (Enter) brings the lesson back.
start --asked
until_true 60 dialog_open || fail "the unfinished lesson was not offered"
[[ $(xdotool getwindowname "$(dialog)") == Ups ]] || fail "the question is no \"Ups\""
dialog_keys Return
sleep 1
main_keys ctrl+c
until_true 20 copied || fail "the second copy did not come"
clipboard >"$work/after"
header=$(grep -n '^    Tid      Aktivitet       Antal datasæt $' "$work/before" | tail -1 | cut -d: -f1)
{
    cat "$work/before"
    printf '\n \n'
    tail -n +$((header - 3)) "$work/before"
} >"$work/expected"
cmp -s "$work/expected" "$work/after" ||
    fail "the copy after the return differs: $(diff "$work/expected" "$work/after")"
echo "ok   the lesson came back after kill -9"

# Everything was copied: "Afslut" ends at once, and the journal goes.
main_keys alt+f a
until_true 30 ended || fail "Afslut did not end the program"
wait "$program_pid" || fail "the program ended with $?"
program_pid=
! compgen -G "$journals/lesson-*" >/dev/null || fail "a normal end left $(ls "$journals")"
echo "ok   a normal end removed the journal"

start
sleep 2
no_dialog || fail "a start with nothing to offer asked"
echo "ok   the next start asked nothing"
