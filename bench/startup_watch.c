// SPDX-License-Identifier: GPL-3.0-or-later
// The watcher of tools/startup_compare.sh:
//   startup_watch SETTLE-MS PROGRAM [ARGUMENTS...]
// starts the program, notes when a top-level window is mapped, reads the
// program's peak resident memory at the settle time and ends it. Prints
// "milliseconds-to-map peak-KiB main-thread-CPU-milliseconds-at-map"; exits
// non-zero when no window was mapped or the memory could not be read.
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

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// CPU time of the program's main thread so far, from the scheduler.
static double cpu_ms(pid_t pid) {
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

static long peak_kib(pid_t pid) {
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

int main(int argc, char** argv) {
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
