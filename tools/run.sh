#!/usr/bin/env bash
# Starts Kolvane from the dev build. Until the window exists, shows the
# companion's table of built-in task 1 for 2 variables.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KOLVANE_BUILD:-build}
if [[ -x $build/app/kolvane ]]; then
    exec "$build/app/kolvane" "$@"
fi
exec "$build/tools/kolvane-tasks" table --vars 2 --task 1
