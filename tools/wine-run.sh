#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program of the Windows build under Wine: the emulator that CMake
# and CTest start Windows programs with (cmake/mingw-w64.cmake).
#
#   tools/wine-run.sh DEPS PROGRAM.exe [ARGUMENTS...]
#
# DEPS is the prefix that tools/build-windows-deps.sh made: its Qt DLLs and
# plugins are found there, the MinGW runtime in Debian's MinGW-w64 folders.
# The Wine prefix (KOLVANE_WINEPREFIX, by default DEPS/wine-prefix) is made
# once, with "Courier New" drawn by Liberation Mono, as Debian does on Linux.
#
# With KOLVANE_WINE_DISPLAY=xvfb the program gets a virtual display of its
# own (shared by the programs of one test run, and ended by Xvfb itself when
# its last program has gone), so that windows never open on the user's
# desktop and tests run where there is none.
set -euo pipefail

deps=$(cd "$1" && pwd)
shift
wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)
wineserver=$(dirname "$wine")/wineserver
[[ -x $wineserver ]] || wineserver=wineserver

export WINEPREFIX=${KOLVANE_WINEPREFIX:-$deps/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No offers to install Mono or Gecko: Kolvane needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

windows_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
runtime=$(windows_path "$deps/bin")
for folder in /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib; do
    [[ -d $folder ]] && runtime+=";$(windows_path "$folder")"
done
export WINEPATH="$runtime${WINEPATH:+;$WINEPATH}"

# Wine hands no QT_ variable of Linux on to Windows programs (they would be
# meant for the Linux Qt), only WINEQT_ ones, without their WINE.
while IFS='=' read -r name _; do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)

mkdir -p "$WINEPREFIX"
if [[ ${KOLVANE_WINE_DISPLAY:-} == xvfb ]]; then
    record=$WINEPREFIX.display
    (
        flock 8
        number=$(cat "$record" 2>/dev/null || true)
        pid=$(cat "$record.pid" 2>/dev/null || echo 0)
        if [[ -z $number || ! -S /tmp/.X11-unix/X$number ]] || ! kill -0 "$pid" 2>/dev/null; then
            rm -f "$record.new"
            # -terminate: the server ends once its last program has gone.
            # It must not keep the lock (fd 8) open.
            setsid Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -terminate \
                >/dev/null 2>&1 3>"$record.new" 8>&- &
            echo $! >"$record.pid"
            for _ in $(seq 100); do [[ -s $record.new ]] && break; sleep 0.05; done
            mv "$record.new" "$record"
        fi
    ) 8>"$record.lock"
    DISPLAY=:$(cat "$record")
    export DISPLAY
fi

if [[ ! -f $WINEPREFIX/.kolvane-ready ]]; then
    (
        # Tests run side by side; the first one makes the prefix.
        flock 9
        if [[ ! -f $WINEPREFIX/.kolvane-ready ]]; then
            # The Wine processes started here must not keep the lock.
            "$wine" wineboot --init >/dev/null 2>&1 9>&-
            "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' \
                /d 'Liberation Mono' /f >/dev/null 2>&1 9>&-
            "$wineserver" -w 9>&- || true
            touch "$WINEPREFIX/.kolvane-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
