# SPDX-License-Identifier: Apache-2.0
"""The window as a screen reader meets it, over AT-SPI.

    accessibility_test.py ASWORN TREE_FILE

Run inside a private D-Bus session with an X display. Starts the program, finds it on the
accessibility bus, checks which one object reports the keyboard focus as the focus moves,
presses Compute through the button's accessible action, compares the whole tree (role and
name of every object, indented by depth) with TREE_FILE, and presses Exit.
Exit status 0 passed, 1 failed, 77 skipped because the accessibility bus could not start.
"""
import os
import subprocess
import sys
import tempfile
import time

SKIP = 77


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, seconds=15.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    fail(f"gave up waiting for {what}")


def lines(node, depth=0):
    """The tree as a screen reader walks it: role and name, depth first."""
    out = ["  " * depth + f"{node.getRoleName()}: {node.name!r}"]
    for i in range(node.childCount):
        out.extend(lines(node.getChildAtIndex(i), depth + 1))
    return out


def objects(node):
    yield node
    for i in range(node.childCount):
        yield from objects(node.getChildAtIndex(i))


def focused(app):
    import pyatspi
    return [f"{o.getRoleName()}: {o.name!r}" for o in objects(app)
            if o.getState().contains(pyatspi.STATE_FOCUSED)]


def find(app, role, name):
    for o in objects(app):
        if o.getRoleName() == role and o.name == name:
            return o
    fail(f"no {role} named {name!r}")


def main():
    asworn, tree_file = sys.argv[1], sys.argv[2]
    try:
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.childCount  # reaches the registry over the accessibility bus
    except Exception as e:  # noqa: BLE001 - any failure here means no bus to test on
        print(f"SKIP: the accessibility bus could not start: {e}")
        sys.exit(SKIP)

    # A new user's settings, never the ones of whoever runs the test.
    config = tempfile.TemporaryDirectory()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               LC_ALL="C.UTF-8", XDG_CONFIG_HOME=config.name)
    program = subprocess.Popen([asworn], env=env)
    try:
        def application():
            for i in range(desktop.childCount):
                child = desktop.getChildAtIndex(i)
                if child is not None and child.name == "As-Worn Rx":
                    return child
            return None
        app = wait_for("the program on the accessibility bus", application)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                 "^Form1$"], capture_output=True, text=True, timeout=15)
        wid = window.stdout.split()[0] if window.stdout.split() else fail("no window Form1")
        subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=True, timeout=15)

        # Exactly one object has the focus: the first field at start, then the tabs' current
        # tab (two steps back from the first field), then Load.
        for keys, expected in [([], "text: 'First name'"),
                               (["shift+Tab", "shift+Tab"], "page tab: 'Patient'"),
                               (["Tab"], "push button: 'Load'"),
                               (["Tab"], "text: 'First name'")]:
            if keys:
                subprocess.run(["xdotool", "key", "--delay", "50", *keys], check=True)
            deadline = time.monotonic() + 5
            while (got := focused(app)) != [expected] and time.monotonic() < deadline:
                time.sleep(0.1)
            if got != [expected]:
                fail(f"after {keys} the focus is reported by {got}, expected [{expected}]")

        # Before Compute no empty ticket label is named after the box it stands in.
        titles = {o.name for o in objects(app) if o.getRoleName() == "panel"}
        ticket = find(app, "panel", "Work Ticket")
        borrowed = [o.name for o in objects(ticket) if o.getRoleName() == "label"
                    and o.name in titles]
        if borrowed:
            fail(f"ticket labels named after their box: {borrowed}")

        compute = find(app, "push button", "Compute")
        compute.queryAction().doAction(0)
        wait_for("the computed ticket",
                 lambda: any(o.name == "Right compensated axis 89" for o in objects(app)), 10)

        with open(tree_file, encoding="utf-8") as f:
            expected_tree = f.read().splitlines()
        got_tree = [line.replace(asworn, "ASWORN") for line in lines(app)]
        if got_tree != expected_tree:
            import difflib
            sys.stderr.writelines(line + "\n" for line in difflib.unified_diff(
                expected_tree, got_tree, tree_file, "the program", lineterm=""))
            fail(f"the accessibility tree differs from {tree_file}")
        # The as-worn report is a table: each verdict read with its reason, under the captions
        # of its row and column.
        table = find(app, "table", "As-worn check").queryTable()
        for row, column, cell, row_header, column_header in [
                (0, 0, "Right lens within ANSI Z80.1 tolerance as worn", "ANSI Z80.1, OD",
                 "Right (OD)"),
                (5, 1, "+0.00 +0.00 x 91.0", "Lens ordered (D, °)", "Left (OS)")]:
            got = (table.getAccessibleAt(row, column).name, table.getRowHeader(row).name,
                   table.getColumnHeader(column).name)
            if got != (cell, row_header, column_header):
                fail(f"table cell {row},{column} reads {got}")
        # The field that had the focus is hidden with its page; one object takes it over.
        if len(focused(app)) != 1:
            fail(f"after Compute the focus is reported by {focused(app)}")

        find(app, "push button", "Exit").queryAction().doAction(0)
        status = program.wait(timeout=10)
        if status != 0:
            fail(f"exit status {status} after Exit")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    print("PASS: fields, buttons, tabs and ticket labels read by name; one focus at a time")


main()
