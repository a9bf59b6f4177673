#!/usr/bin/env bash
# Installs the Debian 12 packages Kolvane needs to build and test (and, with
# --run, to be shown under Xvfb), but only when something is missing.
set -euo pipefail

packages=(g++ cmake make pkg-config qt6-base-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation2 fontconfig qt6-translations-l10n)
if [[ ${1:-} == --run ]]; then
    packages+=(xvfb xauth x11-apps imagemagick xdotool)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
