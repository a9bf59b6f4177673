#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole lesson through the accessibility bus alone, as a screen reader
# sees it: the buttons found by their names and pressed by their actions,
# the task and the answers typed into the dialogs' fields, the machine read
# from its table and held against the log, every change told once, the
# keyboard cursor followed as the focus, and every object on the screen
# named.   atspi_lesson.py PROGRAM   (in a D-Bus session, on an X display)
#
# Every wait polls until its condition holds; its time limit only ends a
# hang and is never what is tested.
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

WAIT_SECONDS = 60
RIGHT, RETURN = 0xFF53, 0xFF0D

failures, told, focused = [], [], []
seen = {}  # the objects seen on the screen: path -> (role, name, parent's name)


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)


def wait_for(what, find):
    deadline = time.monotonic() + WAIT_SECONDS
    while True:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        try:
            value = find()
        except GLib.Error:
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError("waited in vain for " + what)
        time.sleep(0.05)


def showing(obj):
    return obj.get_state_set().contains(Atspi.StateType.SHOWING)


def children(obj):
    return [c for c in (obj.get_child_at_index(i) for i in range(obj.get_child_count())) if c]


def find(root, role, name=None):
    if showing(root) and root.get_role() == role and name in (None, root.get_name()):
        return root
    for child in children(root):
        if showing(child) or child.get_role() == Atspi.Role.DIALOG:
            found = find(child, role, name)
            if found:
                return found
    return None


def note_names(root):
    if showing(root):
        parent = root.get_parent()
        seen[root.path] = (root.get_role_name(), root.get_name(), parent and parent.get_name())
        for child in children(root):
            note_names(child)


def on_event(event):
    try:
        if event.detail1 != 1:
            return
        role = event.source.get_role()
        if event.type.startswith("object:state-changed:showing") and role == Atspi.Role.NOTIFICATION:
            told.append(event.source.get_name())
        elif event.type.startswith("object:state-changed:focused") and role == Atspi.Role.TABLE_CELL:
            focused.append(event.source.get_name())
    except GLib.Error:
        pass


def press(root, name):
    button = wait_for('"%s"' % name, lambda: find(root, Atspi.Role.PUSH_BUTTON, name))
    wait_for('"%s" enabled' % name, lambda: button.get_state_set().contains(Atspi.StateType.ENABLED))
    check(button.do_action(0), 'the action of "%s"' % name)


def key(keysym, focus_moves=False):
    before = len(focused)
    Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)
    if focus_moves:
        wait_for("the cursor's focus", lambda: len(focused) > before)


def hear(what, expected):
    """The next announcement, held against what the table says."""
    said = wait_for(what + " told", lambda: len(told) > hear.count and told[hear.count])
    hear.count += 1
    expected = expected() if callable(expected) else expected
    check(said == expected, "%s told as %r, not %r" % (what, said, expected))


hear.count = 0


def table(app):
    machine = wait_for("the machine's table", lambda: find(app, Atspi.Role.TABLE, "Maskinen"))
    columns = range(machine.get_n_columns())
    headers = [machine.get_column_header(c).get_name() for c in columns]
    return headers, [[machine.get_accessible_at(r, c).get_name() for c in columns]
                     for r in range(machine.get_n_rows())]


def rows_told(app, first=0, last=None):
    headers, rows = table(app)
    words = []
    for i, row in enumerate(rows[first:last], first + 1):
        cells = ["%s %s" % (h, c) for h, c in zip(headers[:3], row) if h in "xyz"]
        cells += [("maskinen giver " if h == "Maskinen" else h.lower() + " ") + c
                  for h, c in zip(headers, row) if h not in "xyz" and c != "tom"]
        words.append("Række %d: %s." % (i, ", ".join(cells)))
    return " ".join(words)


def open_dialog(app, name, field, text):
    dialog = wait_for('the dialog "%s"' % name, lambda: find(app, Atspi.Role.DIALOG, name))
    note_names(dialog)
    wait_for('the field "%s"' % field, lambda: find(dialog, Atspi.Role.TEXT, field)).set_text_contents(text)
    press(dialog, "OK")
    wait_for('"%s" closed' % name, lambda: not showing(dialog))


def lesson(app):
    press(app, "Vælg opgave")
    open_dialog(app, "Vælg opgave", "Opgave-nummer: (1..20)", "3")
    hear("the observations", lambda: "Opgave nummer: 3. Observér. " + rows_told(app))
    headers, observed = table(app)
    check(headers == ["x", "y", "z", "Maskinen"] and len(observed) == 3, "observed %s" % headers)
    note_names(app)

    # x and y of the first row chosen by Enter and set on the keypad. The
    # mode's first key only shows the cursor where it stands.
    press(app, "Eksperimentér")
    hear("the experiment", "Eksperimentér. Markøren står i række 1 på x.")
    key(RETURN)
    key(RETURN)
    press(app, "4")
    hear("the first value", "Række 1: x 4, y tom, z tom. Markøren står i række 1 på y.")
    key(RETURN)
    press(app, "7")
    hear("the drawn value", lambda: rows_told(app, 0, 1) + " Markøren står i række 2 på x.")
    grid = table(app)[1]
    check(grid[0][:2] == ["4", "7"] and "tom" not in grid[0], "the machine drew z: %s" % grid[0])
    check(all(cell == "tom" for row in grid[1:] for cell in row), "rows 2 to 6 blank")
    key(RIGHT, focus_moves=True)
    check(focused[-1] == "tom", "Right lands on a blank cell")
    note_names(app)

    # Five questions, each answered 0 through the answer dialog; after an
    # answer the cursor goes on to the next row without one.
    press(app, "Kontrollér")
    hear("the check", lambda: "Kontrollér. " + rows_told(app) + " Markøren står i række 1 på dit svar.")
    check(table(app)[0] == ["x", "y", "z", "Dit svar"], "check headers")
    key(RETURN)
    for i in range(5):
        before = len(focused)
        key(RETURN)
        open_dialog(app, "Svar", "Svar:", "0")
        hear("answer %d" % (i + 1), lambda: rows_told(app, i, i + 1) + (
            " Udfør kontrol kan bruges nu." if i == 4 else " Markøren står i række %d på dit svar." % (i + 2)))
        if i < 4:
            wait_for("the cursor's focus on row %d" % (i + 2), lambda: len(focused) > before)

    press(app, "Udfør kontrol")
    hear("the results", lambda: "Resultat: %d af 5 rigtige." % sum(
        row[-1].endswith(", rigtigt") for row in table(app)[1]))
    headers, results = table(app)
    check(headers[4:] == ["Rigtigt svar"], "results headers %s" % headers)
    verdicts = [row[4].split(", ") for row in results]
    check(all(v == ("rigtigt" if n == "0" else "forkert") for n, v in verdicts), "verdicts %s" % verdicts)
    note_names(app)
    answered = [row[:3] + ["0", n] + (["OK"] if n == "0" else []) for row, (n, _) in zip(results, verdicts)]
    return observed, grid[0], answered


def log_rows(log, heading):
    """The value rows under a heading of the log, in words."""
    rows, inside = [], False
    for line in log.splitlines():
        if line.startswith(" ") and line.strip().endswith(":") and "Tid" not in line:
            inside = line == heading
        elif inside and "--->" in line:
            rows.append(line.replace("--->", " ").split())
    return rows


def main():
    listener = Atspi.EventListener.new(on_event)
    for event in ("object:state-changed:showing", "object:state-changed:focused"):
        listener.register(event)
    home = tempfile.mkdtemp(prefix="kolvane-atspi-")
    environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home, XDG_STATE_HOME=home,
                       XDG_DATA_HOME=home, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    errors = tempfile.TemporaryFile("w+")
    program = subprocess.Popen([sys.argv[1]], env=environment, stderr=errors, stdout=subprocess.DEVNULL)
    try:
        app = wait_for("the program on the bus", lambda: next(
            (a for a in children(Atspi.get_desktop(0)) if a.get_process_id() == program.pid), None))
        app.set_cache_mask(Atspi.Cache.NONE)
        wait_for("the toolbar", lambda: find(app, Atspi.Role.PUSH_BUTTON, "Vælg opgave"))
        observed, experimented, answered = lesson(app)

        press(app, "Kopier forløbet til Klippebordet")
        log = wait_for("the log on the clipboard", lambda: subprocess.run(
            ["xclip", "-o", "-selection", "clipboard"], capture_output=True, text=True).stdout)
        check(log_rows(log, " Observationer:") == observed, "observations of log and table")
        check(log_rows(log, " Eksperimentér:") == [experimented], "experiment of log and table")
        check(log_rows(log, " Kontrol:") == answered, "answers of log and table")
        check(len(told) == hear.count, "one announcement per change, heard %d" % len(told))

        nameless = ["%s in %r" % (role, parent) for role, name, parent in seen.values() if not name.strip()]
        print("objects seen on the screen: %d, without a name: %d %s" % (len(seen), len(nameless), nameless))
        check(not nameless, "every object on the screen has a name")
        print("told:\n  " + "\n  ".join(told))
    except TimeoutError as error:
        check(False, str(error))
    finally:
        program.terminate()
        try:
            program.wait(timeout=WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            program.kill()
        errors.seek(0)
        report = errors.read()
        check("AddressSanitizer" not in report and "runtime error:" not in report, report[-2000:])
    print("%d passed, %d failed" % (not failures, bool(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
