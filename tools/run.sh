#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Kolvane from the dev build, with an optional task file. Without a
# display, takes a screenshot under Xvfb instead and prints its path.
# The arguments are passed on as given: nothing here changes folder, so a
# file named relative to the caller's folder is found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are unset); taking a screenshot instead"
    exec "$root/tools/screenshot.sh" "$@"
fi
build=${KOLVANE_BUILD:-build}
[[ $build == /* ]] || build=$root/$build
exec "$build/app/kolvane" "$@"
