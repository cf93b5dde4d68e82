#!/bin/sh
# Runs the desktop driver on a fresh X server with a notification area
# (none with --no-tray):
#   run_desktop_test.sh DRIVER DEMO_PRINTER PROGRAM SHOT_DIR [--bench|--no-tray]
set -u
driver=$1; shift
runtime=$(mktemp -d) && chmod 700 "$runtime"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$runtime/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$runtime/display" ] && break; sleep 0.05; done
DISPLAY=:$(cat "$runtime/display"); export DISPLAY
tray=
if [ "${4:-}" != --no-tray ]; then
  trayer --edge top --align right --widthtype request --height 24 --transparent false >/dev/null 2>&1 &
  tray=$!
fi
sleep 0.5
mkdir -p "$3"
XDG_RUNTIME_DIR=$runtime "$driver" "$@"
status=$?
kill $tray $xvfb 2>/dev/null
wait 2>/dev/null
rm -rf "$runtime"
exit $status
