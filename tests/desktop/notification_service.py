#!/usr/bin/python3
# A stand-in for the desktop's notification service on the session bus:
# writes each notification's summary and body to the file named on its
# command line, one "summary / body" line each, its icon and desktop entry
# to that file's name with ".icon" added ("icon entry" lines), and clicks it
# (its "default" action) when the notification offers one, after the
# seconds given second (0.5 without).
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus, log, delay):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log = log
        self.delay = delay
        self.last = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.last += 1
        with open(self.log + ".icon", "a", encoding="utf-8") as out:
            out.write(f"{icon} {hints.get('desktop-entry', '')}\n")
        with open(self.log, "a", encoding="utf-8") as out:
            out.write(f"{summary} / {body}\n")
        if "default" in actions[::2]:
            GLib.timeout_add(int(self.delay * 1000), self.ActionInvoked, dbus.UInt32(self.last), "default")
        return self.last

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return ["body", "actions"]

    @dbus.service.method(NAME, out_signature="ssss")
    def GetServerInformation(self):
        return ["stand-in", "vantrel tests", "1", "1.2"]

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, id, action):
        return False  # once, from the timeout


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(NAME, bus)
service = Notifications(bus, sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 0.5)
GLib.MainLoop().run()
