#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and checks it as a school's IT staff would meet
# it, on a Debian 12 machine, as root:
#   - the package's fields and file list (programs in bin/, the printer
#     module in lib/<multiarch>/kolvane/, data in share/, no test programs),
#     lintian, desktop-file-validate and appstreamcli;
#   - apt-get install, then the program as an ordinary user under a window
#     manager on a virtual display: a new task saved under a bare name lands
#     in that user's documents, F1 opens the guide, a task's log prints on
#     the default printer (a PDF queue of tools/print-queue.sh), the desktop
#     knows task files; screenshots of the Danish save dialog, of the guide
#     and of the print dialog;
#   - apt-get remove and purge leave nothing of the package behind.
# Usage: tools/check-package.sh [USER]   (default user: pupil, made if missing)
# The screenshots go to $KOLVANE_CHECK_OUT (default /tmp/kolvane-package-check);
# KOLVANE_CHECK_DISPLAY (for example :93) chooses the virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
user=${1:-pupil}
out=${KOLVANE_CHECK_OUT:-/tmp/kolvane-package-check}
app_id=io.github.kolvane.Kolvane

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
check() { # check "what" command...
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then pass "$what"; else fail "$what"; fi
}

# ---- Tools the checks need ------------------------------------------------
tools/install-deps.sh --package
# The default printer: a PDF queue, taken away again at the end.
tools/print-queue.sh up >/dev/null
trap 'tools/print-queue.sh down >/dev/null' EXIT
printed=${KOLVANE_PRINT_QUEUE_OUTPUT:-/tmp/kolvane-print-queue.pdf}

# ---- Build the package ----------------------------------------------------
cmake --preset dev >/dev/null
cmake --build --preset dev -j2
rm -f build/kolvane_*.deb
(cd build && cpack -G DEB)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
moduledir=$(sed -n 's/^KOLVANE_INSTALL_MODULEDIR:PATH=//p' build/CMakeCache.txt)
module=/usr/$moduledir/kolvane-printer.so
deb=$source_dir/build/kolvane_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { echo "FAIL no package $deb"; exit 1; }
pass "package $(basename "$deb")"
mkdir -p "$out"

# ---- The package's fields and files ----------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == kolvane && $(field Version) == "$version" ]] && pass "name and version" ||
    fail "name and version: $(field Package) $(field Version)"
[[ $(field Section) == education ]] && pass "section education" || fail "section $(field Section)"
[[ -n $(field Maintainer) ]] && pass "maintainer $(field Maintainer)" || fail "no maintainer"
for d in libqt6widgets6 libqt6printsupport6 libjpeg62-turbo qt6-qpa-plugins qt6-translations-l10n \
         fonts-liberation2; do
    field Depends | grep -q "\b$d\b" && pass "depends on $d" || fail "does not depend on $d"
done

listing=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
expected=(/usr/bin/kolvane /usr/bin/kolvane-tasks /usr/share/kolvane/kolvane.HLP
          /usr/share/applications/$app_id.desktop /usr/share/metainfo/$app_id.metainfo.xml
          /usr/share/mime/packages/$app_id.xml /usr/share/icons/hicolor/scalable/apps/$app_id.svg
          /usr/share/man/man1/kolvane.1.gz /usr/share/man/man1/kolvane-tasks.1.gz
          /usr/share/doc/kolvane/copyright "$module")
for size in 16 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
expected+=(/usr/share/doc/kolvane/changelog.gz)
for f in "${expected[@]}"; do
    grep -qx "$f" <<<"$listing" && pass "holds $f" || fail "lacks $f"
done
programs=$(grep '^/usr/bin/.' <<<"$listing" | tr '\n' ' ')
[[ $programs == "/usr/bin/kolvane /usr/bin/kolvane-tasks " ]] && pass "only the two programs in bin/" ||
    fail "programs: $programs"
# Besides those, only the folders that lead to the module's folder.
parents='/\|/usr/'
parent=/usr
for part in ${moduledir//\// }; do
    parent+=/$part
    parents+="\\|$parent/"
done
outside=$(grep -v "^/usr/\\(bin\\|share\\|$moduledir\\)\\(/\\|\$\\)" <<<"$listing" | grep -vx "$parents" || true)
[[ -z $outside ]] && pass "everything under /usr/bin, /usr/share and /usr/$moduledir" ||
    fail "files outside /usr/bin, /usr/share and /usr/$moduledir: $outside"

tree=$(mktemp -d)
trap 'rm -rf "$tree"; tools/print-queue.sh down >/dev/null' EXIT
dpkg-deb -x "$deb" "$tree"
check "desktop-file-validate" desktop-file-validate "$tree/usr/share/applications/$app_id.desktop"
check "appstreamcli validate --no-net" appstreamcli validate --no-net \
    "$tree/usr/share/metainfo/$app_id.metainfo.xml"
check "appstreamcli validate-tree --no-net" appstreamcli validate-tree --no-net "$tree"
grep -q "<release version=\"$version\"" "$tree/usr/share/metainfo/$app_id.metainfo.xml" &&
    pass "metainfo names release $version" || fail "metainfo release is not $version"
check "the manual pages render" env MANWIDTH=80 man -l "$tree/usr/share/man/man1/kolvane.1.gz"
check "the manual pages render" \
    env MANWIDTH=80 man -l "$tree/usr/share/man/man1/kolvane-tasks.1.gz"
lintian_out=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
echo "$lintian_out" | sed 's/^/     lintian: /'
grep -q '^E:' <<<"$lintian_out" && fail "lintian reports errors" || pass "lintian: no errors"

# ---- Install and use it as an ordinary user --------------------------------
# What of Kolvane's is on the machine apart from the package (the source list
# of the Windows build, say) stays when the package goes; an installation of
# an earlier check goes first.
leftovers() {
    find / -xdev \( -path /proc -o -path /sys -o -path /tmp -o -path /work -o -path /home \
        -o -path /root -o -path "$source_dir" \) -prune -o -iname '*kolvane*' -print
    # The caches that the triggers of shared-mime-info, desktop-file-utils,
    # the icon theme and mailcap rebuild from the installed files.
    grep -rls 'kolvane\|kvn' /usr/share/mime/globs2 /usr/share/applications/mimeinfo.cache \
        /usr/share/icons/hicolor/icon-theme.cache /etc/mailcap 2>/dev/null || true
    man -w kolvane 2>/dev/null || true
}
if dpkg-query -W kolvane >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 purge -y kolvane >/dev/null
fi
before=$(leftovers | sort)
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y "$deb" >/dev/null
check "installed" dpkg-query -W kolvane
# Qt's print support comes with the printer module, at the first print, and
# not with every start.
readelf -d /usr/bin/kolvane | grep -q 'NEEDED.*PrintSupport' &&
    fail "the program itself needs Qt's print support" || pass "the program starts without Qt's print support"
ldd "$module" | grep -q 'not found' && fail "the printer module lacks libraries" ||
    pass "the printer module finds its libraries"
id "$user" >/dev/null 2>&1 || useradd -m "$user"
home=$(getent passwd "$user" | cut -d: -f6)
# A desktop's first log-in makes the documents folder; the program makes none.
runuser -u "$user" -- mkdir -p "$home/Documents"
runuser -u "$user" -- rm -f "$home/Documents/Opg25.kvn"
# A fresh start: the program of an earlier check was ended in its lesson,
# which its journal would offer back first.
runuser -u "$user" -- rm -rf "$home/.local/share/Kolvane"
work=$(runuser -u "$user" -- mktemp -d)

# A display of its own: KOLVANE_CHECK_DISPLAY, or the first free one.
source tools/xvfb.sh
start_xvfb "${KOLVANE_CHECK_DISPLAY:-}"
export DISPLAY=:$display
runuser -u "$user" -- env DISPLAY=:"$display" openbox >/dev/null 2>&1 &
wm=$!
sleep 1
runuser -u "$user" -- env DISPLAY=:"$display" HOME="$home" LANG=C.UTF-8 /usr/bin/kolvane \
    >"$out/kolvane.log" 2>&1 &
program=$!
cleanup_display() {
    kill "$program" "$wm" "$xvfb_pid" 2>/dev/null || true
}
trap 'cleanup_display; rm -rf "$tree"; tools/print-queue.sh down >/dev/null' EXIT

window() { timeout 10 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1; }
sleep 5 # the title picture, then the exercise window
main=$(window 'Kolvane')
[[ -n $main ]] && pass "main window shown" || fail "no main window"
xdotool windowactivate --sync "$main" 2>/dev/null || true
# Egne opgaver > Definer ny opgave: task 25, formula x*y+z, then the save
# dialog; a bare name gets .kvn and goes to the dialog's starting folder.
xdotool key alt+e && sleep 0.5 && xdotool key d && sleep 1
xdotool type --delay 50 25 && xdotool key Return
xdotool type --delay 50 'x*y+z' && xdotool key Return
sleep 2
import -window root "$out/save-dialog.png"
xdotool key ctrl+a && xdotool type --delay 50 'Opg25' && xdotool key Return
sleep 2
saved=$home/Documents/Opg25.kvn
[[ -f $saved && $(stat -c %U "$saved") == "$user" && $(stat -c %s "$saved") == 104 ]] &&
    pass "a bare name saved in $home/Documents" || fail "no $saved"
check "the saved task reads back" /usr/bin/kolvane-tasks show "$saved"
# F1 in a field of the define dialog opens the guide beside the dialog.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key alt+e && sleep 0.5 && xdotool key d && sleep 1
xdotool key F1
sleep 2
guide=$(window 'Kolvane - Vejledning')
[[ -n $guide ]] && pass "F1 opens the guide" || fail "F1 opened no guide"
xdotool key Escape && sleep 1
[[ -n $guide ]] && xdotool windowactivate --sync "$guide" 2>/dev/null && sleep 1
import -window root "$out/guide.png"
# The define dialog of the F1 step is cancelled; task 25 runs, and Ctrl+P
# with the print dialog's Enter prints its log on the default printer,
# through the module where the package put it.
define=$(window 'Definition af ny opgave')
[[ -n $define ]] && xdotool windowactivate --sync "$define" 2>/dev/null && xdotool key Escape
sleep 1
rm -f "$printed"
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key ctrl+p
sleep 2
import -window root "$out/print-dialog.png"
xdotool key Return
until_true 60 test -s "$printed" && sleep 2
pdftotext "$printed" - 2>/dev/null | grep -q "Opgave nummer:" &&
    pass "the log printed on the default printer" || fail "nothing printed to $printed"
grep -q . "$out/kolvane.log" && sed 's/^/     kolvane: /' "$out/kolvane.log"
cleanup_display

cp "$saved" "$work/Opg25.kvn"
chown "$user" "$work/Opg25.kvn"
[[ $(runuser -u "$user" -- env HOME="$home" xdg-mime query filetype "$work/Opg25.kvn") == \
   application/x-kolvane-task ]] && pass "xdg-mime knows task files" || fail "xdg-mime: unknown task file"
[[ $(runuser -u "$user" -- env HOME="$home" xdg-mime query default application/x-kolvane-task) == \
   "$app_id.desktop" ]] && pass "task files open in Kolvane" || fail "no program for task files"
check "man kolvane" man -w kolvane
rm -rf "$work"

# ---- Remove and purge ------------------------------------------------------
# Without configuration files the package is gone for good at its removal;
# a purge then has nothing left to do.
for step in remove purge; do
    if [[ $step == remove ]] || dpkg-query -W kolvane >/dev/null 2>&1; then
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$step" -y kolvane >/dev/null
    fi
    dpkg-query -W kolvane >/dev/null 2>&1 && [[ $step == purge ]] && fail "dpkg still knows kolvane"
    left=$(comm -13 <(echo "$before") <(leftovers | sort))
    [[ -z $left ]] && pass "apt-get $step leaves nothing behind" || fail "after apt-get $step: $left"
done

echo "Screenshots: $out/save-dialog.png $out/guide.png $out/print-dialog.png"
if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "every check passed"
