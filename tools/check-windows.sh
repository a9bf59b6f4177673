#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows installer as a school's IT staff would meet it, under
# Wine on a virtual display, in a Wine prefix of its own (a fresh "PC"):
#   - cpack makes Kolvane-<version>-win64.exe and .zip in build-windows/;
#   - the installer runs silently (/S): the program, its printer module,
#     its DLLs, plugins, Qt's Danish texts and the guide in Program Files, a
#     Start-menu entry "Kolvane", .kvn files open with Kolvane;
#   - the installed program, with nothing but its own folder to load from:
#     the title picture, the toolbar, a lesson by keys whose copied log has
#     the lines of the same lesson on Linux (times and drawn values aside),
#     the guide by F1, a task saved into and loaded from "Mine opgaver"
#     under a name with æøå, an extra-task file, the print dialog shown and
#     cancelled; screenshots of each;
#   - the uninstaller (/S) leaves nothing behind.
# Usage: tools/check-windows.sh [LINUX_PROGRAM]   (default build/app/kolvane:
#        the Linux program whose log the Windows one is compared with)
# Needs the Windows build (cmake --preset windows && cmake --build --preset
# windows). Screenshots go to $KOLVANE_CHECK_OUT (default
# /tmp/kolvane-windows-check); KOLVANE_CHECK_DISPLAY (for example :94)
# chooses the virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
linux_program=$(realpath "${1:-build/app/kolvane}")
out=${KOLVANE_CHECK_OUT:-/tmp/kolvane-windows-check}
build=$root/build-windows
deps=$root/build-windows-deps
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.txt

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
fatal() {
    echo "FAIL $*"
    exit 1
}

tools/install-deps.sh --run >/dev/null
source tools/apt-packages.sh
install_missing poppler-utils
# A printer as a school's has one: CUPS's, which Wine offers its programs as
# a Windows printer; it prints into a PDF file.
tools/print-queue.sh up >/dev/null
printed=${KOLVANE_PRINT_QUEUE_OUTPUT:-/tmp/kolvane-print-queue.pdf}

# ---- The packages ------------------------------------------------------------
[[ -f $build/CMakeCache.txt ]] || fatal "no Windows build in $build"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
rm -f "$build"/Kolvane-*-win64.*
(cd "$build" && cpack -G "NSIS;ZIP" >"$out/cpack.txt" 2>&1) || fatal "cpack: $(tail -5 "$out/cpack.txt")"
installer=$build/Kolvane-$version-win64.exe
zip=$build/Kolvane-$version-win64.zip
[[ -f $installer ]] && pass "installer $(basename "$installer"), $(du -h "$installer" | cut -f1)" ||
    fatal "no installer $installer"
[[ -f $zip ]] && pass "zip $(basename "$zip"), $(du -h "$zip" | cut -f1)" || fail "no zip $zip"

# ---- A fresh Wine prefix and a display ---------------------------------------
work=$(mktemp -d /tmp/kolvane-windows-XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)
wineserver=$(dirname "$wine")/wineserver
[[ -x $wineserver ]] || wineserver=wineserver
xvfb_pid=
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
    tools/print-queue.sh down >/dev/null || true
}
trap cleanup EXIT
source tools/xvfb.sh
start_xvfb "${KOLVANE_CHECK_DISPLAY:-}" || fatal "no virtual display"
export DISPLAY=:$display
"$wine" wineboot --init >/dev/null 2>&1
# Wine has no "Courier New"; Linux draws it with Liberation Mono too.
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f \
    >/dev/null 2>&1
"$wineserver" -w
drive_c=$WINEPREFIX/drive_c
folder="$drive_c/Program Files/Kolvane"

# ---- Silent installation -------------------------------------------------------
"$wine" "$installer" /S >/dev/null 2>&1 || fail "the installer ended with $?"
"$wineserver" -w
for f in Kolvane.exe kolvane-tasks.exe kolvane-printer.dll kolvane.HLP LICENSE.txt qt.conf \
         Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
         platforms/qwindows.dll styles/qwindowsvistastyle.dll translations/qtbase_da.qm \
         Uninstall.exe; do
    [[ -f $folder/$f ]] && pass "installed $f" || fail "not installed: $f"
done
pass "installed folder: $(du -sh "$folder" | cut -f1)"
shortcut=$(find "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" -iname 'Kolvane.lnk' \
    2>/dev/null | head -1)
[[ -n $shortcut ]] && pass "Start-menu entry ${shortcut#"$drive_c"/}" || fail "no Start-menu entry Kolvane"
registry() { "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'; }
[[ $(registry 'HKLM\Software\Classes\.kvn') == Kolvane.Opgavefil ]] && pass ".kvn is a Kolvane-opgavefil" ||
    fail ".kvn is not associated"
[[ $(registry 'HKLM\Software\Classes\Kolvane.Opgavefil\shell\open\command') == \
   '"C:\Program Files\Kolvane\Kolvane.exe" "%1"' ]] && pass ".kvn opens with Kolvane.exe" ||
    fail ".kvn opens with: $(registry 'HKLM\Software\Classes\Kolvane.Opgavefil\shell\open\command')"
# The companion, from the installed folder only (no WINEPATH).
[[ $("$wine" "$folder/kolvane-tasks.exe" eval --vars 3 --formula 'x*y+z' 2 3 4 2>/dev/null | tr -d '\r') == "10 "* ]] &&
    pass "kolvane-tasks.exe eval x*y+z 2 3 4 gives 10" || fail "kolvane-tasks.exe eval"

# ---- The installed program ---------------------------------------------------
documents=$("$wine" cmd /c echo '%USERPROFILE%' 2>/dev/null | tr -d '\r')
documents=$drive_c/users/${documents##*\\}/Documents
mkdir -p "$documents/Mine opgaver"
main_name='^   Kolvane   Version'
main_id=
main_window() { xdotool search --onlyvisible --name "$main_name" | head -1; }
has_main() { [[ -n $(main_window 2>/dev/null) ]]; }
dialog() { xdotool search --onlyvisible --name . 2>/dev/null | grep -vx "$main_id" | tail -1; }
dialog_open() { [[ -n $(dialog) ]]; }
no_dialog() { [[ -z $(dialog) ]]; }
main_keys() {
    xdotool windowfocus "$main_id" 2>/dev/null || true
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.4
    done
}
dialog_keys() {
    until_true 30 dialog_open || fatal "no dialog for the keys $*"
    xdotool windowfocus "$(dialog)" 2>/dev/null || true
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.3
    done
}
dialog_closes() { until_true 30 no_dialog || fatal "the dialog stayed open: $(xdotool getwindowname "$(dialog)")"; }
shot() { import -window root "$out/$1.png"; }
clipboard() { xclip -o -selection clipboard 2>/dev/null; }
copied() { clipboard | grep -q "Antal datasæt"; }

# A lesson by keys: a task, observations, an experiment row, a check, a
# heading, and a copy of the log. The same keys drive Linux below.
lesson() {
    main_keys v
    dialog_keys 5 Return
    dialog_closes
    main_keys o e Return 4 Right Return 2 k
    for _ in 1 2 3 4 5; do
        main_keys Return
        dialog_keys 7 Return
        dialog_closes
        main_keys Down
    done
    main_keys u n
    dialog_keys I d a Return Return
    dialog_closes
    printf '' | xclip -selection clipboard
    main_keys ctrl+c
    until_true 20 copied || fatal "the log was not copied"
    clipboard
}
# The log's lines with the times and the drawn values left out (and "1
# sekund" as "2 sekunder": how long a step took is the machine's), and the
# check's "OK" marks: whether the lesson's answer 7 was right depends on the
# values drawn.
shape() { sed 's/[0-9][0-9]*/#/g; s/# sekunder/# sekund/; s/[[:space:]]*$//; s/[[:space:]]*OK$//'; }

installed_exe='C:\Program Files\Kolvane\Kolvane.exe'
(cd "$work" && exec "$wine" "$installed_exe" >"$out/kolvane-windows.txt" 2>&1) &
sleep 1.5
shot title
until_true 60 has_main || fatal "the installed program showed no main window"
main_id=$(main_window)
sleep 4
shot toolbar
pass "the installed program starts: $(xdotool getwindowname "$main_id")"

lesson >"$out/log-windows.txt"
shot lesson
pass "a lesson by keys, copied ($(wc -l <"$out/log-windows.txt") lines)"

# F1: the guide.
main_keys F1
until_true 30 dialog_open || fail "F1 opened no guide"
sleep 1
shot guide
[[ $(xdotool getwindowname "$(dialog)") == 'Kolvane - Vejledning' ]] && pass "F1 opens the guide" ||
    fail "F1 opened $(xdotool getwindowname "$(dialog)")"
dialog_keys Escape
dialog_closes

# A new task, saved in "Mine opgaver" under a name with æøå.
saved_name='Opgave æøå 25.kvn'
windows_folder="$("$wine" winepath -w "$documents/Mine opgaver" 2>/dev/null | tr -d '\r')"
main_keys alt+e d
dialog_keys 2 5 Return
xdotool type --delay 60 'x*y+z'
xdotool key Return
sleep 2
shot save-dialog
# The name comes through the clipboard, which Wine shares with X: typed,
# its æ, ø and å would need keys that the virtual keyboard lacks.
printf '%s' "$windows_folder\\$saved_name" | xclip -selection clipboard
xdotool key ctrl+a ctrl+v
sleep 0.5
xdotool key Return
sleep 2
if ! until_true 10 no_dialog; then
    shot save-stuck
    fail "the save dialog stayed open after the save: $(xdotool getwindowname "$(dialog)") (save-stuck.png)"
    dialog_keys alt+n
    sleep 1
    dialog_open && dialog_keys Escape
    until_true 10 no_dialog || dialog_keys Escape
fi
[[ -f "$documents/Mine opgaver/$saved_name" ]] && pass "saved \"Mine opgaver\\$saved_name\"" ||
    fail "no \"$documents/Mine opgaver/$saved_name\": $(ls "$documents/Mine opgaver")"
[[ $("$wine" "$folder/kolvane-tasks.exe" show "$windows_folder\\$saved_name" 2>/dev/null | tr -d '\r') == \
   *'x*y+z'* ]] && pass "the saved task reads back" || fail "the saved task does not read back"

# Printing, to Wine's printer: the dialog, then the log on paper.
rm -f "$printed"
main_keys ctrl+p
if until_true 20 dialog_open; then
    sleep 1
    shot print-dialog
    pass "the print dialog: $(xdotool getwindowname "$(dialog)")"
    dialog_keys Return
    dialog_closes
    until_true 60 test -s "$printed" && sleep 2
    if pdftotext "$printed" - 2>/dev/null | grep -q "Opgave nummer:"; then
        pdftoppm -r 60 -png -f 1 -l 1 "$printed" "$out/printed"
        pass "the log printed ($(pdfinfo "$printed" | sed -n 's/^Pages: *//p') page(s), printed-1.png)"
    else
        fail "nothing printed to $printed"
    fi
else
    fail "Ctrl+P showed no print dialog"
fi
main_keys alt+f a
until_true 10 no_dialog || { shot close-question; dialog_keys alt+j; }
until_true 30 bash -c '! xdotool search --onlyvisible --name "$0" >/dev/null' "$main_name" ||
    fail "Afslut did not end the program"
"$wineserver" -w

# The task file and an extra-task file by name, as a double click gives them.
for file in "$windows_folder\\$saved_name" extra; do
    if [[ $file == extra ]]; then
        : >"$work/formulas.txt"
        for n in $(seq 20); do echo "x+$n*y" >>"$work/formulas.txt"; done
        "$wine" "$folder/kolvane-tasks.exe" make-extra "$("$wine" winepath -w "$work/formulas.txt" | tr -d '\r')" \
            "$windows_folder\\Ekstraopgaver.kvn" >/dev/null 2>&1
        file="$windows_folder\\Ekstraopgaver.kvn"
    fi
    (cd "$work" && exec "$wine" "$installed_exe" "$file" >>"$out/kolvane-windows.txt" 2>&1) &
    until_true 60 has_main || fatal "no main window with $file"
    main_id=$(main_window)
    sleep 5
    name=$(basename "${file//\\//}" .kvn)
    shot "opened-${name// /-}"
    main_keys alt+f a
    until_true 10 no_dialog || { shot close-question; dialog_keys alt+j; }
    "$wineserver" -w
    pass "started with \"$file\" (screenshot opened-${name// /-}.png)"
done

# The same lesson on Linux, on the same display.
if [[ -x $linux_program ]]; then
    mkdir -m 0700 "$work/runtime"
    HOME=$work XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime \
        QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 "$linux_program" >"$out/kolvane-linux.txt" 2>&1 &
    linux_pid=$!
    until_true 60 has_main || fatal "the Linux program showed no main window"
    main_id=$(main_window)
    sleep 4
    lesson >"$out/log-linux.txt"
    kill "$linux_pid" 2>/dev/null || true
    if cmp -s <(shape <"$out/log-linux.txt") <(shape <"$out/log-windows.txt"); then
        pass "the Windows log has the Linux log's lines"
    else
        fail "the logs differ: $(diff <(shape <"$out/log-linux.txt") <(shape <"$out/log-windows.txt"))"
    fi
else
    fail "no Linux program $linux_program to compare the log with"
fi

# ---- Silent uninstallation ---------------------------------------------------------
"$wine" "$folder/Uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller ended with $?"
"$wineserver" -w
sleep 2
"$wineserver" -w
[[ ! -e $folder ]] && pass "the uninstaller removed the program's folder" ||
    fail "left behind: $(find "$folder" | head)"
left=$(find "$drive_c" -iname '*kolvane*' ! -path "$documents/*" 2>/dev/null)
[[ -z $left ]] && pass "nothing named Kolvane left in C:" || fail "left behind: $left"
[[ -z $(registry 'HKLM\Software\Classes\.kvn') ]] && pass "the .kvn association is gone" ||
    fail "the .kvn association is left"
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kolvane' >/dev/null 2>&1 &&
    fail "the uninstall entry is left" || pass "the uninstall entry is gone"

echo "Screenshots and logs: $out"
if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "every check passed"
