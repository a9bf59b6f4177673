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
set -euo pipefail

deps=$(cd "$1" && pwd)
shift
wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)

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
if [[ -d $deps/plugins && -z ${QT_PLUGIN_PATH:-} ]]; then
    QT_PLUGIN_PATH=$(windows_path "$deps/plugins")
    export QT_PLUGIN_PATH
fi

if [[ ! -f $WINEPREFIX/.kolvane-ready ]]; then
    mkdir -p "$WINEPREFIX"
    (
        # Tests run side by side; the first one makes the prefix.
        flock 9
        if [[ ! -f $WINEPREFIX/.kolvane-ready ]]; then
            "$wine" wineboot --init >/dev/null 2>&1
            "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' \
                /d 'Liberation Mono' /f >/dev/null 2>&1
            "${wine%wine64}wineserver" -w 2>/dev/null || wineserver -w
            touch "$WINEPREFIX/.kolvane-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
