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
# Needs Xvfb, a C compiler with the X11 headers and Qt 6's development files.
set -euo pipefail
program=${1:-build/app/kolvane}
[[ $program == /* ]] || program=$PWD/$program
runs=${KOLVANE_RUNS:-5}
settle_ms=${KOLVANE_SETTLE_MS:-4500}

if [[ ! -x $program ]]; then
    echo "startup_compare.sh: $program is not built" >&2
    exit 1
fi
for tool in Xvfb cc c++ pkg-config; do
    command -v "$tool" >/dev/null || { echo "startup_compare.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d /tmp/kolvane-startup-XXXXXX)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The bare window: the least a Qt Widgets program with Kolvane's kind of
# window does. A main window with a one-item menu bar (so fonts are loaded),
# maximised; without a window manager Xvfb does not maximise, so it covers
# the screen's work area itself, as Kolvane's main window does.
cat >"$work/bare.cpp" <<'EOF'
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Quit"));
    window.showMaximized();
    window.setGeometry(window.screen()->availableGeometry());
    return app.exec();
}
EOF
# The watcher: starts the program, notes when a top-level window is mapped,
# reads the program's peak resident memory at the settle time and ends it.
# Prints "milliseconds-to-map peak-KiB main-thread-CPU-milliseconds-at-map".
cat >"$work/mapwatch.c" <<'EOF'
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// CPU time of the program's main thread so far, from the scheduler.
static double cpu_ms(pid_t pid)
{
    char path[64];
    unsigned long long ns = 0;
    snprintf(path, sizeof path, "/proc/%d/schedstat", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return -1;
    if (fscanf(f, "%llu", &ns) != 1)
        ns = 0;
    fclose(f);
    return ns / 1e6;
}

static long peak_kib(pid_t pid)
{
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmHWM:", 6) == 0)
            kib = strtol(line + 6, NULL, 10);
    fclose(f);
    return kib;
}

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const double settle = atof(argv[1]);
    // The server may still be busy with the previous client going away.
    Display* dpy = NULL;
    for (int i = 0; i < 50 && !(dpy = XOpenDisplay(NULL)); ++i)
        usleep(100000);
    if (!dpy)
        return 3;
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, True);
    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    double mapped = -1, cpu = -1;
    const int fd = ConnectionNumber(dpy);
    while (mapped < 0 && now_ms() - start < settle) {
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (e.type == MapNotify && mapped < 0) {
                mapped = now_ms() - start;
                cpu = cpu_ms(pid);
            }
        }
        if (mapped >= 0)
            break;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        struct timeval tv = {0, 2000};
        select(fd + 1, &fds, NULL, NULL, &tv);
    }
    const double left = settle - (now_ms() - start);
    if (left > 0)
        usleep((useconds_t)(left * 1000));
    const long kib = peak_kib(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    printf("%.1f %ld %.1f\n", mapped, kib, cpu);
    return mapped < 0 || kib < 0;
}
EOF
cc -O2 -o "$work/mapwatch" "$work/mapwatch.c" -lX11
# shellcheck disable=SC2046
c++ -O2 -fPIC -std=c++17 -o "$work/bare" "$work/bare.cpp" $(pkg-config --cflags --libs Qt6Widgets)

source "$(dirname "$0")/xvfb.sh"
start_xvfb ${KOLVANE_DISPLAY:+":$KOLVANE_DISPLAY"}

# Runs one program once; appends "ms KiB" to the file named.
measure() {
    DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$work/mapwatch" "$settle_ms" "$1" >>"$2" 2>/dev/null
}
# One unmeasured start each, so both find the libraries and fonts in the cache.
measure "$work/bare" /dev/null || true
measure "$program" /dev/null || true
for _ in $(seq "$runs"); do
    measure "$program" "$work/kolvane.txt"
    measure "$work/bare" "$work/bare.txt"
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
