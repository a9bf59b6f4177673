#!/usr/bin/env bash
# Starts Kolvane from the dev build, with an optional task file. Without a
# display, takes a screenshot under Xvfb instead and prints its path.
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
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    exec "$build/app/kolvane" "$@"
fi
echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are unset); taking a screenshot instead"
exec tools/screenshot.sh "$@"
