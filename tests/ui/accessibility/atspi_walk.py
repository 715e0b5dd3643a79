"""Walks Tallyro through the AT-SPI accessibility bus, as a screen reader does.

atspi_walk.py TALLYRO CLASS_FILE

Starts the program with the class open and checks, as Orca would find them:
every focusable control has a name; the grade book's grids have their names
and speak their row and column headers; the grand average, failing limit and
weight total are spoken with their values; pressing Next announces the next
student's grand average. Exits 1 with one line per fault.
"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

faults = []


def fault(text):
    faults.append(text)
    print("FAULT: " + text)


def pump(seconds):
    """Lets bus events arrive for a while."""
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def find_application(name, seconds=40):
    end = time.time() + seconds
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower() == name:
                return app
        pump(0.25)
    return None


def descendants(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    try:
        count = node.childCount
    except Exception:
        return
    # A grid's cells are its children; a 45-column grid is walked as a whole.
    if node.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST,
                          pyatspi.ROLE_TREE):
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from descendants(child, depth + 1)


def named(app, role, prefix, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        for node in descendants(app):
            try:
                if node.getRole() == role and node.name.startswith(prefix):
                    return node
            except Exception:
                continue
        pump(0.25)
    return None


INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST,
    pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_PAGE_TAB_LIST,
    pyatspi.ROLE_TOGGLE_BUTTON,
}


def check_names(app):
    for node in descendants(app):
        try:
            states = node.getState()
            if not (states.contains(pyatspi.STATE_FOCUSABLE) and
                    states.contains(pyatspi.STATE_SHOWING)):
                continue
            if node.getRole() in INTERACTIVE and not node.name.strip():
                fault("focusable %s without a name (under %s)" %
                      (node.getRoleName(), node.parent.name if node.parent else "?"))
        except Exception:
            continue


def check_grid(app, name, column, heading):
    grid = named(app, pyatspi.ROLE_TABLE, name, seconds=5)
    if grid is None:
        fault("no grid named %r" % name)
        return
    table = grid.queryTable()
    if table.nRows != 11:
        fault("%s has %d rows, not the 11 categories" % (name, table.nRows))
    for row, category in ((0, "Homework"), (10, "Special Project")):
        if table.getRowDescription(row) != category:
            fault("%s row %d is headed %r, not %r" %
                  (name, row, table.getRowDescription(row), category))
    if table.getColumnDescription(column) != heading:
        fault("%s column %d is headed %r, not %r" %
              (name, column, table.getColumnDescription(column), heading))


def main():
    tallyro, classfile = sys.argv[1], sys.argv[2]
    program = subprocess.Popen([tallyro, classfile], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        app = find_application("tallyro")
        if app is None:
            print("FAULT: Tallyro never appeared on the accessibility bus")
            return 1
        grand = named(app, pyatspi.ROLE_LABEL, "Grand Average ")
        if grand is None:
            print("FAULT: no label speaks the grand average with its value")
            return 1
        print("grand average: " + grand.name)
        for prefix in ("Weight total ",):
            label = named(app, pyatspi.ROLE_LABEL, prefix, seconds=5)
            if label is None:
                fault("no label speaks %r with its value" % prefix.strip())
            else:
                print("weight total: " + label.name)
        limit = named(app, pyatspi.ROLE_SPIN_BUTTON, "Failing Below", seconds=5)
        if limit is None:
            fault("no spin button named 'Failing Below'")
        else:
            value = limit.queryValue().currentValue
            print("failing limit: %g" % value)
            if abs(value - 70) > 1e-9:
                fault("the failing limit reads %g, not 70" % value)

        check_grid(app, "Weights", 0, "%")
        check_grid(app, "Scores", 2, "3")
        check_grid(app, "Averages", 0, "avg.")
        check_names(app)

        # Next, pressed through the bus: the new grand average is announced.
        heard = []

        def listener(event):
            if event.source is not None and event.source.name.startswith("Grand Average"):
                heard.append(event.source.name)

        pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
        next_button = named(app, pyatspi.ROLE_PUSH_BUTTON, "Next", seconds=5)
        if next_button is None:
            fault("no Next button")
        else:
            before = grand.name
            changed = False
            for _ in range(4):
                actions = next_button.queryAction()
                actions.doAction(0)
                pump(1.0)
                if grand.name != before:
                    changed = True
                    break
            if not changed:
                fault("the grand average's name did not change after Next")
            elif not heard:
                fault("no name-change event announced the new grand average")
            else:
                print("announced after Next: " + heard[-1])
        pyatspi.Registry.deregisterEventListener(listener,
                                                 "object:property-change:accessible-name")

        shots = os.environ.get("TALLYRO_SCREENSHOTS")
        if shots:
            subprocess.run(["import", "-window", "root",
                            os.path.join(shots, "atspi-gradebook.png")], check=False)
        return 1 if faults else 0
    finally:
        program.terminate()
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()


if __name__ == "__main__":
    sys.exit(main())
