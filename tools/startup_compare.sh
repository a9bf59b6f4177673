#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures Kolvane's start-up side by side with a bare Qt 6 Widgets window,
# under one Xvfb: the time from the start of the process until its first
# window is mapped, and the peak memory (VmHWM) 4.5 s after the start, when
# Kolvane's exercise window has opened. The two programs run alternately,
# KOLVANE_RUNS times each (default 5); the medians and their ratios are
# printed. Measure a Release build (the dev preset):
#   tools/startup_compare.sh [path/to/kolvane]      (default build/app/kolvane)
# KOLVANE_DISPLAY=N runs it on display :N (default: the first free one).
#
# KOLVANE_COUNT=instructions counts instead the instructions that each
# program runs until it asks for its first window to be mapped (the first
# xcb_map_window), with valgrind's callgrind, once each: the count hardly
# moves between runs, where the clock on a busy or virtual machine swings by
# a tenth, so it shows a change of a few per cent. Installs valgrind when it
# is missing (as root).
# The bare window and the watcher that times both are built beside the
# program, in bench/ of its build folder (bench/startup_bare.cpp and
# bench/startup_watch.c); KOLVANE_STARTUP_TOOLS names another folder of them.
# Needs Xvfb.
set -euo pipefail
program=${1:-build/app/kolvane}
[[ $program == /* ]] || program=$PWD/$program
tools=${KOLVANE_STARTUP_TOOLS:-$(dirname "$program")/../bench}
bare=$tools/startup_bare
watch=$tools/startup_watch
runs=${KOLVANE_RUNS:-5}
settle_ms=${KOLVANE_SETTLE_MS:-4500}

for built in "$program" "$bare" "$watch"; do
    if [[ ! -x $built ]]; then
        echo "startup_compare.sh: $built is not built" >&2
        exit 1
    fi
done
command -v Xvfb >/dev/null || { echo "startup_compare.sh: Xvfb is missing" >&2; exit 1; }

work=$(mktemp -d /tmp/kolvane-startup-XXXXXX)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/xvfb.sh"
start_xvfb ${KOLVANE_DISPLAY:+":$KOLVANE_DISPLAY"}

if [[ ${KOLVANE_COUNT:-} == instructions ]]; then
    source "$(dirname "$0")/apt-packages.sh"
    install_missing valgrind >&2
    # Prints the instructions of one run until the first map request.
    count() {
        DISPLAY=":$display" QT_QPA_PLATFORM=xcb valgrind --tool=callgrind \
            --dump-before=xcb_map_window --callgrind-out-file="$work/$2.%p" "$1" >/dev/null 2>&1 &
        local pid=$!
        # The dump is whole once its last line, the totals, is written.
        until_true 120 sh -c "grep -qs '^totals:' '$work/$2'.*.1" || { kill "$pid"; return 1; }
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        sed -n 's/^summary: //p' "$work"/"$2".*.1
    }
    k_ins=$(count "$program" kolvane)
    b_ins=$(count "$bare" bare)
    awk -v k="$k_ins" -v b="$b_ins" 'BEGIN {
        printf "instructions until mapped   Kolvane %.2f M   bare Qt %.2f M   ratio %.3f\n", k / 1e6, b / 1e6, k / b
    }'
    exit 0
fi

# Runs one program once; appends "ms KiB" to the file named.
measure() {
    DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$watch" "$settle_ms" "$1" >>"$2" 2>/dev/null
}
# One unmeasured start each, so both find the libraries and fonts in the cache.
measure "$bare" /dev/null || true
measure "$program" /dev/null || true
for _ in $(seq "$runs"); do
    measure "$program" "$work/kolvane.txt"
    measure "$bare" "$work/bare.txt"
done

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
k_ms=$(cut -d' ' -f1 "$work/kolvane.txt" | median)
b_ms=$(cut -d' ' -f1 "$work/bare.txt" | median)
k_kib=$(cut -d' ' -f2 "$work/kolvane.txt" | median)
b_kib=$(cut -d' ' -f2 "$work/bare.txt" | median)
k_cpu=$(cut -d' ' -f3 "$work/kolvane.txt" | median)
b_cpu=$(cut -d' ' -f3 "$work/bare.txt" | median)
echo "runs (ms KiB cpu-ms), Kolvane: $(paste -sd, "$work/kolvane.txt")"
echo "runs (ms KiB cpu-ms), bare Qt: $(paste -sd, "$work/bare.txt")"
awk -v km="$k_ms" -v bm="$b_ms" -v kk="$k_kib" -v bk="$b_kib" -v kc="$k_cpu" -v bc="$b_cpu" 'BEGIN {
    printf "window mapped   Kolvane %7.1f ms    bare Qt %7.1f ms    ratio %.2f\n", km, bm, km / bm
    printf "peak memory     Kolvane %7.1f MiB   bare Qt %7.1f MiB   ratio %.2f\n", kk / 1024, bk / 1024, kk / bk
    printf "CPU until map   Kolvane %7.1f ms    bare Qt %7.1f ms    ratio %.2f (main thread; less noisy)\n", kc, bc, kc / bc
}'
