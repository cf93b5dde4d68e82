"""What a screen reader finds in the running program over AT-SPI: the main
window's buttons and tabs by name, and the panel display's lines after
"Status", "READY" among them. Ends the program with its Close button.

usage: accessibility_check.py   (with the program running on the
accessibility bus of the session)
"""
import sys
import time

import pyatspi


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def program():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and "vantrel" in (app.name or "").lower():
                return app
        time.sleep(0.2)
    sys.exit("the program never appeared on the accessibility bus")


def named(app, role, name, seconds=10.0):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for node in walk(app):
            if node.getRoleName() == role and node.name == name:
                return node
        time.sleep(0.2)
    return None


app = program()
missing = [f"{role} {name!r}" for role, name in
           [("push button", "Status"), ("push button", "Display Configuration Page"),
            ("push button", "About"), ("push button", "Close"),
            ("page tab", "Panel"), ("page tab", "User Service")]
           if named(app, role, name) is None]
if missing:
    sys.exit("not found by name: " + ", ".join(missing))

named(app, "push button", "Status").queryAction().doAction(0)
# The display shows each status code for a second, one after the other.
display = None
deadline = time.time() + 8
while display is None and time.time() < deadline:
    display = next((node for node in walk(app) if node.name == "READY"), None)
    time.sleep(0.1)
if display is None:
    sys.exit("the panel display never says READY to a screen reader")
if display.getRoleName() != "label":
    sys.exit(f"the display is a {display.getRoleName()!r}, not text, to a screen reader")
print(f"the display reads {display.name!r} ({display.getRoleName()})")
named(app, "push button", "Close").queryAction().doAction(0)
