#!/bin/sh
# Where there is no notification area, the watch's notifications go to the
# desktop's notification service, and a click on one opens the window. The
# program starts as the autostart entry starts it, with --watch, beside the
# demo printer (low on magenta toner, output tray full), on Xvfb without a
# tray, on a private session bus with a stand-in service.
#   desktop_notification_test.sh DEMO_PRINTER PROGRAM
set -u
demo=$1 program=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d) && chmod 700 "$work"
trap 'rm -rf "$work"' EXIT
export demo program here work
dbus-run-session -- sh -c '
  fail() { echo "FAIL: $*"; exit 1; }
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb=$!
  trap "kill \$xvfb \${service:-} \${vantrel:-} 2>/dev/null" EXIT
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  DISPLAY=:$(cat "$work/display"); export DISPLAY
  # The click comes after the ten seconds a start at login waits for a
  # notification area: with the watch, the program is still there.
  /usr/bin/python3 "$here/notification_service.py" "$work/notifications" 11 & service=$!
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null |
      grep -q "boolean true" && break
    sleep 0.05
  done
  XDG_RUNTIME_DIR=$work LANG=C.UTF-8 LC_ALL= LANGUAGE= \
    "$demo" -- "$program" --at-login --watch=10 >"$work/program.log" 2>&1 & vantrel=$!
  for _ in $(seq 200); do [ -s "$work/notifications" ] && break; sleep 0.05; done
  [ -s "$work/notifications" ] || fail "no notification reached the service"
  expected="Printer error / TONER LOW M
OUTPUT TRAY FULL
REMOVE PAPER"
  [ "$(cat "$work/notifications")" = "$expected" ] ||
    fail "the service received: $(cat "$work/notifications")"
  xdotool search --onlyvisible --name "^Vantrel Utility\$" >/dev/null 2>&1 &&
    fail "the window opened before the click"
  for _ in $(seq 150); do
    xdotool search --onlyvisible --name "^Vantrel Utility\$" >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdotool search --onlyvisible --name "^Vantrel Utility\$" >/dev/null 2>&1 ||
    fail "a click on the notification did not open the window"
  echo "the notification reached the service, and its click opened the window"
'
