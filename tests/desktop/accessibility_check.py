"""What a screen reader finds in the running program over AT-SPI: the main
window's buttons and tabs by name; the panel display's lines, "READY" among
them, read right after "Status", each change of them told to the reader
(Qt 6.4 gives no live-region attribute to mark it with); radio buttons as radio buttons, named with
the setting of their row and labelled by it; sliders named with their group
and labelled by their label; no group named "0". Prints what it finds of the
radios, sliders and groups. Ends the program with its Close button.

usage: accessibility_check.py   (with the program running on the
accessibility bus of the session)
"""
import sys
import time

import pyatspi
from gi.repository import GLib


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


def labels_of(node):
    """The names of the labels that label node (AT-SPI's labelled-by)."""
    labels = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            labels += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return labels


app = program()
missing = [f"{role} {name!r}" for role, name in
           [("push button", "Status"), ("push button", "Display Configuration Page"),
            ("push button", "About"), ("push button", "Close"),
            ("page tab", "Panel"), ("page tab", "User Service")]
           if named(app, role, name) is None]
if missing:
    sys.exit("not found by name: " + ", ".join(missing))

# What the reader hears while the display fills: its name changes.
heard = []
def heard_name(event):
    if event.source.getRoleName() == "label":
        heard.append(event.source.name)
pyatspi.Registry.registerEventListener(heard_name, "object:property-change:accessible-name")
named(app, "push button", "Status").queryAction().doAction(0)
listening_until = time.time() + 8
def heard_enough():
    if "READY" in heard or time.time() > listening_until:
        pyatspi.Registry.stop()
        return False
    return True
GLib.timeout_add(100, heard_enough)
pyatspi.Registry.start()
pyatspi.Registry.deregisterEventListener(heard_name, "object:property-change:accessible-name")
# The display shows each status code for a second, one after the other.
display = None
deadline = time.time() + 8
while display is None and time.time() < deadline:
    display = next((node for node in walk(app) if node.name == "READY"), None)
    time.sleep(0.1)
if display is None:
    sys.exit("the panel display never says READY to a screen reader")
print(f"the reader heard the display change to {heard!r}")
if "READY" not in heard:
    sys.exit("the reader was not told that the display changed to READY")
if display.getRoleName() != "label":
    sys.exit(f"the display is a {display.getRoleName()!r}, not text, to a screen reader")
print(f"the display reads {display.name!r} ({display.getRoleName()})")
status = named(app, "push button", "Status")
print(f"the display is read at {display.getIndexInParent()}, Status at "
      f"{status.getIndexInParent()}; the display's attributes: {display.getAttributes()}")
faults = []
if display.parent != status.parent or \
        display.getIndexInParent() != status.getIndexInParent() + 1:
    faults.append("the display is not read right after Status")

nodes = list(walk(app))
for node in nodes:
    if node.getRoleName() in ("radio button", "check box", "slider", "panel"):
        state = " checked" if node.getState().contains(pyatspi.STATE_CHECKED) else ""
        print(f"{node.getRoleName()}{state} {node.name!r} labelled by {labels_of(node)}")

def expect(name, role, label):
    """A control named name, of the role, labelled by label."""
    control = next((node for node in nodes if node.name == name), None)
    if control is None:
        faults.append(f"no control named {name!r}")
    elif control.getRoleName() != role:
        faults.append(f"{name!r} is a {control.getRoleName()!r}, not a {role}")
    elif label not in labels_of(control):
        faults.append(f"{name!r} is not labelled by {label!r}")


for row in ("Toner Low Message", "Toner Out Stop", "Auto Continue"):
    for setting in ("On", "Off"):
        expect(f"{row}: {setting}", "radio button", row)
for name in ("Change Toner", "Eject All Toner"):
    if not any(n.getRoleName() == "radio button" and n.name == name for n in nodes):
        faults.append(f"no radio button {name!r}")
for group in ("Top Adjustment", "Transfer Power"):
    for label in ("Plain Paper", "Envelope"):
        expect(f"{group}: {label}", "slider", label)
for group in ("Top Adjustment", "Transfer Power", "Left Adjustment", "Service's Choice"):
    if not any(n.getRoleName() == "panel" and n.name == group for n in nodes):
        faults.append(f"no group {group!r}")
# A value may read 0: a label that shows it, a list's entry, and a list (Qt
# names a list by its selection on Linux, its label labels it).
faults += [f"a {node.getRoleName()!r} is named '0'" for node in nodes
           if node.name == "0" and node.getRoleName() not in ("label", "combo box", "list item")]
if faults:
    sys.exit("\n".join(faults))
named(app, "push button", "Close").queryAction().doAction(0)
