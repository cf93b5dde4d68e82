#!/bin/sh
# The watch's notifications go to the desktop's notification service
# whenever one runs, with a notification area as without one, and a click
# on one opens the window. The program starts as the autostart entry starts
# it, with --watch, beside the demo printer, on Xvfb, on a private session
# bus with a stand-in service, twice:
# - without a tray, the printer low on magenta toner, its output tray full;
# - with a tray (trayer), the printer listing TONER LOW MK 42 times and a
#   terminal's colour alone: the service gets each message once and no
#   control byte, and the tray shows no balloon of its own.
# Without a tray, Escape then hides the window the click opened, and the
# watch goes on: a jam brings the next notification.
#   desktop_notification_test.sh DEMO_PRINTER PROGRAM
set -u

# One story on a session bus of its own:
#   desktop_notification_test.sh --story tray|no-tray DEMO PROGRAM WORK
if [ "${1:-}" = --story ]; then
  tray=$2 demo=$3 program=$4 work=$5
  here=$(cd "$(dirname "$0")" && pwd)
  fail() { echo "FAIL ($tray): $*"; exit 1; }
  window_shown() { xdotool search --onlyvisible --name "^Vantrel Utility\$" >/dev/null 2>&1; }
  # The program's windows on the screen: the icon in the tray, and a balloon
  # when Qt shows one.
  program_windows() { xdotool search --onlyvisible --classname "^vantrel\$" 2>/dev/null | wc -l; }
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb ${trayer:-} ${service:-} ${vantrel:-} 2>/dev/null' EXIT
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  DISPLAY=:$(cat "$work/display"); export DISPLAY
  if [ "$tray" = tray ]; then
    trayer --edge top --align right --widthtype request --height 24 --transparent false \
      >/dev/null 2>&1 & trayer=$!
    sleep 0.5
    # Each code once, without the printer's escape sequence.
    set -- --status "$(printf '30200A,%.0s' $(seq 42))$(printf '\033[31m')"
    expected="Printer warning / TONER LOW MK
The printer reports a status that Vantrel cannot read."
    click=2
  else
    mkfifo "$work/control"
    set -- --control "$work/control"  # the demo printer as it starts
    expected="Printer error / TONER LOW M
OUTPUT TRAY FULL
REMOVE PAPER"
    # After the ten seconds a start at login waits for a notification
    # area: with the watch, the program is still there.
    click=11
  fi
  /usr/bin/python3 "$here/notification_service.py" "$work/notifications" $click & service=$!
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null |
      grep -q "boolean true" && break
    sleep 0.05
  done
  XDG_RUNTIME_DIR=$work LANG=C.UTF-8 LC_ALL= LANGUAGE= \
    "$demo" "$@" -- "$program" --at-login --watch=10 >"$work/program.log" 2>&1 &
  vantrel=$!
  # Qt's balloon goes after ten seconds: looked for while waiting.
  balloon_shown() { [ "$tray" = tray ] && [ "$(program_windows)" -gt 1 ]; }
  for _ in $(seq 200); do
    [ -s "$work/notifications" ] && break
    balloon_shown && fail "Qt's balloon opened"
    sleep 0.05
  done
  sleep 0.5  # a balloon beside the service's notification would be up by now
  balloon_shown && fail "Qt's balloon opened"
  [ -s "$work/notifications" ] || fail "no notification reached the service"
  [ "$(cat "$work/notifications")" = "$expected" ] ||
    fail "the service received: $(cat "$work/notifications")"
  # The icon and the entry of the installed menu entry (vantrel.desktop).
  [ "$(cat "$work/notifications.icon")" = "vantrel vantrel" ] ||
    fail "the notification's icon and desktop entry: $(cat "$work/notifications.icon")"
  window_shown && fail "the window opened before the click"
  for _ in $(seq 150); do window_shown && break; sleep 0.1; done
  window_shown || fail "a click on the notification did not open the window"
  echo "$tray: the notification reached the service, and its click opened the window"
  [ "$tray" = tray ] && exit 0
  xdotool key --window "$(xdotool search --onlyvisible --name "^Vantrel Utility\$" | head -1)" Escape
  for _ in $(seq 50); do window_shown || break; sleep 0.1; done
  window_shown && fail "Escape did not close the window"
  echo "status 302002,200100" >"$work/control"
  for _ in $(seq 150); do grep -q "TRANSFER JAM" "$work/notifications" && break; sleep 0.1; done
  kill -0 $vantrel 2>/dev/null || fail "the program ended with its window"
  [ "$(tail -n 2 "$work/notifications")" = "Printer error / TRANSFER JAM
OPEN TOP COVER" ] || fail "after the window closed the service received: $(cat "$work/notifications")"
  echo "$tray: with its window closed the program went on and notified the jam"
  exit 0
fi

demo=$1 program=$2
work=$(mktemp -d) && chmod 700 "$work"
trap 'rm -rf "$work"' EXIT
for tray in no-tray tray; do
  mkdir -m 700 "$work/$tray"
  dbus-run-session -- sh "$0" --story $tray "$demo" "$program" "$work/$tray" || exit 1
done
