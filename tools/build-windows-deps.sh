#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds what the Windows build of Kolvane links, for 64-bit Windows with
# Debian's MinGW-w64, into one prefix (build-windows-deps/ by default, or the
# first argument): Qt 6 (Core, Gui, Widgets, PrintSupport, Test, the windows
# and offscreen platform plugins, the Windows styles and print support),
# libjpeg-turbo and GoogleTest. Qt and libjpeg-turbo come from Debian's own
# source packages, fetched with apt-get source; nothing comes from elsewhere.
# Installs the Debian packages it needs (as root). Does nothing when the
# prefix is already complete.
#
#   --engine-only   only GoogleTest: enough for the plain C++ libraries and
#                   their tests (a minute, no Qt)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/apt-packages.sh"

root=$(cd "$(dirname "$0")/.." && pwd)
engine_only=0
prefix=$root/build-windows-deps
for a in "$@"; do
    case $a in
        --engine-only) engine_only=1 ;;
        -*) echo "build-windows-deps.sh: unknown option $a" >&2; exit 2 ;;
        *) prefix=$a ;;
    esac
done
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
work=$prefix/.work
jobs=$(nproc)
toolchain=$root/cmake/mingw-w64.cmake

# What each part leaves behind when it is complete.
gtest_done=$prefix/lib/libgtest.a
jpeg_done=$prefix/lib/libjpeg.a
qt_done=$prefix/plugins/platforms/qwindows.dll
texts_done=$prefix/translations/qtbase_da.qm
if [[ -f $gtest_done ]] && { ((engine_only)) || [[ -f $jpeg_done && -f $qt_done && -f $texts_done ]]; }; then
    # Qt's Danish texts: the translations are the same files on every system.
if [[ ! -f $texts_done ]]; then
    mkdir -p "$prefix/translations"
    cp /usr/share/qt6/translations/qtbase_da.qm "$prefix/translations/"
fi
echo "build-windows-deps.sh: $prefix is complete"
    exit 0
fi

packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          cmake ninja-build googletest wine64 wine fonts-wine xvfb xauth fonts-liberation2 dpkg-dev)
if ((!engine_only)); then
    packages+=(qt6-base-dev qt6-base-dev-tools qt6-translations-l10n nsis)
fi
install_missing "${packages[@]}"

mkdir -p "$work"
common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKOLVANE_WINDOWS_DEPS="$prefix"
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix")

# GoogleTest from Debian's own source of it (the package googletest).
if [[ ! -f $gtest_done ]]; then
    echo "== GoogleTest"
    cmake -S /usr/src/googletest -B "$work/googletest" "${common[@]}" -Dgtest_disable_pthreads=OFF
    cmake --build "$work/googletest" -j"$jobs"
    cmake --install "$work/googletest"
fi
((engine_only)) && exit 0

# Source packages: apt needs a deb-src line for the archive it already uses.
fetch_source() { # package, directory glob
    local pkg=$1
    if ! compgen -G "$work/src/$2" >/dev/null; then
        if ! apt-get source --print-uris "$pkg" >/dev/null 2>&1; then
            add_deb_src
        fi
        mkdir -p "$work/src"
        (cd "$work/src" && apt-get source --download-only "$pkg" && dpkg-source -x --skip-patches ./"$pkg"_*.dsc >/dev/null)
    fi
}
add_deb_src() {
    local list=/etc/apt/sources.list.d/kolvane-deb-src.sources
    [[ -f $list ]] && return
    echo "Adding deb-src entries for Debian's archive to $list"
    # The same archives and suites as the deb entries, for source packages.
    awk '
        /^Types:/ { types = $0 }
        /^URIs:/ { uris = $0 }
        /^Suites:/ { suites = $0 }
        /^Components:/ { comps = $0 }
        /^Signed-By:/ { signed = $0 }
        /^$/ { flush() }
        END { flush() }
        function flush() {
            if (types ~ /deb/ && uris ~ /debian/) {
                print "Types: deb-src"; print uris; print suites; print comps
                if (signed != "") print signed
                print ""
            }
            types = uris = suites = comps = signed = ""
        }' /etc/apt/sources.list.d/debian.sources >"$list"
    apt-get update
}

if [[ ! -f $jpeg_done ]]; then
    echo "== libjpeg-turbo"
    fetch_source libjpeg-turbo 'libjpeg-turbo-*/'
    src=$(compgen -G "$work/src/libjpeg-turbo-*/" | head -n1)
    # With Debian's patches applied: the library Linux builds use.
    (cd "$src" && { [[ -f .pc/applied-patches ]] || QUILT_PATCHES=debian/patches dpkg-source --before-build . >/dev/null 2>&1 || true; })
    cmake -S "$src" -B "$work/libjpeg-turbo" "${common[@]}" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF
    cmake --build "$work/libjpeg-turbo" -j"$jobs"
    cmake --install "$work/libjpeg-turbo"
fi

if [[ ! -f $qt_done ]]; then
    echo "== Qt (qtbase; about a quarter of an hour on two cores)"
    fetch_source qt6-base 'qt6-base-*/'
    src=$(compgen -G "$work/src/qt6-base-*/" | head -n1)
    cmake -S "$src" -B "$work/qtbase" "${common[@]}" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_MANUAL_TESTS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_opengl=ON \
        -DFEATURE_system_jpeg=ON -DJPEG_INCLUDE_DIR="$prefix/include" -DJPEG_LIBRARY="$prefix/lib/libjpeg.a"
    cmake --build "$work/qtbase" -j"$jobs"
    cmake --install "$work/qtbase"
fi
# Qt's Danish texts: the translations are the same files on every system.
if [[ ! -f $texts_done ]]; then
    mkdir -p "$prefix/translations"
    cp /usr/share/qt6/translations/qtbase_da.qm "$prefix/translations/"
fi
echo "build-windows-deps.sh: $prefix is complete"
