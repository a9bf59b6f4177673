#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages Kolvane needs to build and test (and, with
# --run, to be shown and driven under Xvfb, as tools/check-killed-lesson.sh
# does in the tests; with --fuzz, to build the fuzz targets with clang; with
# --package, to check the Debian package), but only when something is
# missing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/apt-packages.sh"

packages=(g++ cmake make pkg-config qt6-base-dev libx11-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation2 fontconfig qt6-translations-l10n
          clang-format
          # The lesson through the accessibility bus.
          xvfb xauth openbox xclip dbus at-spi2-core python3-gi gir1.2-atspi-2.0)
for option in "$@"; do
    case $option in
        --run) packages+=(xvfb xauth x11-apps imagemagick xdotool xclip) ;;
        # The sanitizer and libFuzzer runtimes are only recommended by clang.
        --fuzz) packages+=(clang libclang-rt-14-dev) ;;
        # What tools/check-package.sh checks the Debian package with.
        --package) packages+=(desktop-file-utils appstream lintian xvfb xauth xdotool imagemagick
                              openbox xdg-utils libfile-mimeinfo-perl man-db dpkg-dev
                              poppler-utils binutils) ;;
    esac
done

install_missing "${packages[@]}"
