#!/bin/sh
# The program on the demo printer with an accessibility bus, as a screen
# reader sees it (accessibility_check.py). Run it in a D-Bus session of its
# own on an X server of its own:
#
#   dbus-run-session -- xvfb-run -a accessibility_test.sh DEMO_PRINTER VANTREL CHECK
#
# PYTHON3 names a python with pyatspi (Debian: python3-pyatspi).
set -u
demo=$1 program=$2 check=$3
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=en_US.UTF-8 LC_ALL= LANGUAGE= "$demo" -- "$program" &
app=$!
"${PYTHON3:-python3}" "$check"
status=$?
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
  echo "the program did not end after Close"
  kill "$app"
  status=1
fi
kill "$bus" 2>/dev/null
exit $status
