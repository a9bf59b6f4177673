#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole lesson through the accessibility bus alone, as a screen reader
# sees it: the toolbar's buttons found by their names and pressed by their
# actions, the task and the answers typed into the dialogs' fields, the
# machine read from its table and held against the log, every change heard
# once, and every object on the screen named.
#
#   atspi_lesson.py PROGRAM     (in a D-Bus session, on an X display)
#
# Every wait polls until its condition holds or its time is up; the times
# only bound a hang, they are never what is tested.
import os
import re
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

WAIT_SECONDS = 60
KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_RETURN = 0xFF53, 0xFF52, 0xFF54, 0xFF0D

failures = []
announcements = []
focused_cells = []
seen = {}  # every object seen showing: (role, name) by path


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)
    return condition


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, find):
    """Polls find() until it gives a value; fails the test when it never does."""
    deadline = time.monotonic() + WAIT_SECONDS
    while True:
        pump()
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
    for i in range(obj.get_child_count()):
        child = obj.get_child_at_index(i)
        if child is not None:
            yield child


def find(root, role, name=None):
    """The first showing object of the role (and name) under root."""
    if showing(root) and root.get_role() == role and (name is None or root.get_name() == name):
        return root
    for child in children(root):
        if showing(child) or child.get_role() in (Atspi.Role.DIALOG, Atspi.Role.FRAME):
            found = find(child, role, name)
            if found:
                return found
    return None


def note_names(root):
    """Walks the showing objects under root and keeps each one's role and name."""
    if not showing(root):
        return
    parent = root.get_parent()
    seen[root.path] = (root.get_role_name(), root.get_name(), parent.get_name() if parent else "")
    for child in children(root):
        note_names(child)


def on_event(event):
    try:
        if event.type.startswith("object:state-changed:showing") and event.detail1 == 1:
            if event.source.get_role() == Atspi.Role.NOTIFICATION:
                announcements.append(event.source.get_name())
        elif event.type.startswith("object:state-changed:focused") and event.detail1 == 1:
            if event.source.get_role() == Atspi.Role.TABLE_CELL:
                focused_cells.append(event.source.get_name())
    except GLib.Error:
        pass


def press(app, name):
    button = wait_for('the button "%s"' % name, lambda: find(app, Atspi.Role.PUSH_BUTTON, name))
    wait_for('"%s" enabled' % name,
             lambda: button.get_state_set().contains(Atspi.StateType.ENABLED))
    check(button.do_action(0), 'the action of "%s"' % name)


def key(keysym):
    Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)


def next_announcement(count, what):
    """Waits for the announcement after the count already heard."""
    wait_for(what, lambda: len(announcements) > count)
    return announcements[count]


def read_table(app):
    table = wait_for("the machine's table", lambda: find(app, Atspi.Role.TABLE, "Maskinen"))
    table.clear_cache()
    headers = [table.get_column_header(c).get_name() for c in range(table.get_n_columns())]
    rows = [[table.get_accessible_at(r, c).get_name() for c in range(table.get_n_columns())]
            for r in range(table.get_n_rows())]
    return headers, rows


def answer(app, row_count, text):
    """Enter on the cursor's answer field opens the answer dialog: type, OK."""
    key(KEY_RETURN)
    dialog = wait_for("the answer dialog", lambda: find(app, Atspi.Role.DIALOG, "Svar"))
    note_names(dialog)
    field = wait_for("the answer field", lambda: find(dialog, Atspi.Role.TEXT, "Svar:"))
    field.set_text_contents(text)
    press(dialog, "OK")
    wait_for("the answer dialog to close", lambda: not showing(dialog))


def log_rows(log, heading):
    """The value rows that follow a heading of the log, as lists of words."""
    rows, inside = [], False
    for line in log.splitlines():
        if line.strip().endswith(":") and not line.strip().startswith("Tid"):
            inside = line == heading
            continue
        if inside and "--->" in line:
            rows.append(line.replace("--->", " ").split())
    return rows


def sentence(headers, row):
    words = []
    for header, cell in zip(headers, row):
        if header in ("x", "y", "z"):
            words.append("%s %s" % (header, cell))
        elif cell != "tom":
            words.append(("maskinen giver " if header == "Maskinen" else header.lower() + " ") + cell)
    return ", ".join(words)


def lesson(app):
    heard = len(announcements)

    # The task: "Vælg opgave", number 3 typed into the picker's field.
    press(app, "Vælg opgave")
    picker = wait_for("the task picker", lambda: find(app, Atspi.Role.DIALOG, "Vælg opgave"))
    note_names(picker)
    field = wait_for("the task number field",
                     lambda: find(picker, Atspi.Role.TEXT, "Opgave-nummer: (1..20)"))
    field.set_text_contents("3")
    press(picker, "OK")
    told = next_announcement(heard, "the observations told")
    heard += 1
    headers, observed = read_table(app)
    check(headers == ["x", "y", "z", "Maskinen"], "observation headers %s" % headers)
    check(len(observed) == 3, "three observation rows")
    expected = "Opgave nummer: 3. Observér. " + " ".join(
        "Række %d: %s." % (i + 1, sentence(headers, row)) for i, row in enumerate(observed))
    check(told == expected, "observations told as %r, not %r" % (expected, told))
    note_names(app)

    # The experiment: x and y of row 1 chosen by Enter, set on the keypad.
    press(app, "Eksperimentér")
    told = next_announcement(heard, "the experiment told")
    heard += 1
    check(told == "Eksperimentér. Markøren står i række 1 på x.", "experiment told as %r" % told)
    key(KEY_RETURN)
    press(app, "4")
    told = next_announcement(heard, "the first value told")
    heard += 1
    check(told == "Række 1: x 4, y tom, z tom. Markøren står i række 1 på y.",
          "first value told as %r" % told)
    key(KEY_RETURN)
    press(app, "7")
    told = next_announcement(heard, "the machine's value told")
    heard += 1
    headers, grid = read_table(app)
    check(headers == ["x", "y", "z", "Maskinen"], "experiment headers %s" % headers)
    check(len(grid) == 6 and grid[0][:2] == ["4", "7"] and grid[0][2] != "tom",
          "the machine drew z in row 1: %s" % grid[:1])
    check(all(cell == "tom" for row in grid[1:] for cell in row), "rows 2..6 blank")
    check(told == "Række 1: %s. Markøren står i række 2 på x." % sentence(headers, grid[0]),
          "machine's value told as %r" % told)
    note_names(app)

    # The cursor moves by arrow keys, each move a focused cell.
    focus_before = len(focused_cells)
    key(KEY_RIGHT)
    wait_for("the cursor's focus after Right", lambda: len(focused_cells) > focus_before)
    check(focused_cells[-1] == "tom", "Right lands on a blank cell")

    # The check: five questions, each answered 0 through the answer dialog.
    press(app, "Kontrollér")
    told = next_announcement(heard, "the check told")
    heard += 1
    headers, questions = read_table(app)
    check(headers == ["x", "y", "z", "Dit svar"], "check headers %s" % headers)
    check(len(questions) == 5 and all(row[3] == "tom" for row in questions), "five open questions")
    expected = "Kontrollér. " + " ".join(
        "Række %d: %s." % (i + 1, sentence(headers, row)) for i, row in enumerate(questions))
    check(told == expected + " Markøren står i række 1 på dit svar.", "check told as %r" % told)
    for i in range(5):
        if i > 0:
            focus_before = len(focused_cells)
            key(KEY_DOWN)
            wait_for("the cursor on row %d" % (i + 1), lambda: len(focused_cells) > focus_before)
        answer(app, i + 1, "0")
        told = next_announcement(heard, "answer %d told" % (i + 1))
        heard += 1
        row = read_table(app)[1][i]
        ready = " Udfør kontrol kan bruges nu." if i == 4 else ""
        check(told == "Række %d: %s.%s" % (i + 1, sentence(headers, row), ready),
              "answer %d told as %r" % (i + 1, told))

    # "Udfør kontrol": the right outputs, right or wrong in words.
    press(app, "Udfør kontrol")
    told = next_announcement(heard, "the results told")
    heard += 1
    headers, results = read_table(app)
    check(headers == ["x", "y", "z", "Dit svar", "Rigtigt svar"], "result headers %s" % headers)
    right = 0
    for row in results:
        correct, verdict = row[4].split(", ")
        check(verdict == ("rigtigt" if correct == "0" else "forkert"), "verdict of %s" % row)
        right += verdict == "rigtigt"
    check(told == "Resultat: %d af 5 rigtige." % right, "results told as %r" % told)
    note_names(app)
    answered = [row[:3] + ["0", row[4].split(", ")[0]] + (["OK"] if row[4] == "0, rigtigt" else [])
                for row in results]

    # Row 1 answered again with its right output, then "Udfør kontrol" again.
    correct = results[0][4].split(", ")[0]
    for _ in range(4):
        focus_before = len(focused_cells)
        key(KEY_UP)
        wait_for("the cursor moving up", lambda: len(focused_cells) > focus_before)
    answer(app, 1, correct)
    told = next_announcement(heard, "the new answer told")
    heard += 1
    headers, again = read_table(app)
    check(headers == ["x", "y", "z", "Dit svar"], "results hidden by a new answer: %s" % headers)
    check(told == "Række 1: %s." % sentence(headers, again[0]), "new answer told as %r" % told)
    answered.append(results[0][:3] + [correct, correct, "OK"])
    press(app, "Udfør kontrol")
    told = next_announcement(heard, "the new results told")
    heard += 1
    results = read_table(app)[1]
    check(results[0][4] == correct + ", rigtigt", "row 1 right: %s" % results[0])
    right = sum(row[4].endswith(", rigtigt") for row in results)
    check(told == "Resultat: %d af 5 rigtige." % right, "new results told as %r" % told)
    check(len(announcements) == heard, "one announcement per change: %d" % len(announcements))
    return observed, grid[0], answered


def main():
    program = sys.argv[1]
    listener = Atspi.EventListener.new(on_event)
    listener.register("object:state-changed:showing")
    listener.register("object:state-changed:focused")

    home = tempfile.mkdtemp(prefix="kolvane-atspi-")
    environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home, XDG_STATE_HOME=home,
                       XDG_DATA_HOME=home, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       QT_QPA_PLATFORM="xcb")
    errors = open(os.path.join(home, "stderr.txt"), "w+")
    process = subprocess.Popen([program], env=environment, stderr=errors,
                               stdout=subprocess.DEVNULL)
    try:
        def find_app():
            desktop = Atspi.get_desktop(0)
            for app in children(desktop):
                if app.get_process_id() == process.pid:
                    return app
            return None

        app = wait_for("the program on the bus", find_app)
        app.set_cache_mask(Atspi.Cache.NONE)
        wait_for("the toolbar", lambda: find(app, Atspi.Role.PUSH_BUTTON, "Vælg opgave"))
        observed, experiment_row, answered = lesson(app)

        # The log, copied to the clipboard, holds the rows that the table showed.
        press(app, "Kopier forløbet til Klippebordet")
        log = wait_for("the log on the clipboard", lambda: subprocess.run(
            ["xclip", "-o", "-selection", "clipboard"], capture_output=True,
            text=True).stdout)
        check(log_rows(log, " Observationer:") == observed,
              "observation rows of the log and the table")
        check(log_rows(log, " Eksperimentér:") == [experiment_row],
              "experiment row of the log and the table")
        check(log_rows(log, " Kontrol:") == answered,
              "answer rows of the log and the table")

        nameless = sorted("%s in %r" % (role, parent) for role, name, parent in seen.values()
                          if not name.strip())
        print("objects seen on the screen: %d, without a name: %d %s"
              % (len(seen), len(nameless), nameless))
        check(not nameless, "every object on the screen has a name")
        print("announcements heard: %d" % len(announcements))
        for said in announcements:
            print("  " + said)
    except TimeoutError as error:
        failures.append(str(error))
        print("FAIL:", error, flush=True)
    finally:
        process.terminate()
        try:
            process.wait(timeout=WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            process.kill()
        errors.seek(0)
        report = errors.read()
        if re.search(r"ERROR: AddressSanitizer|runtime error:", report):
            failures.append("the program reported a sanitizer error")
            print(report)
    print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
