#!/bin/sh
# Runs a command with an X server of its own (Xvfb, on a display number it
# picks itself) for the Windows programs under Wine; afterwards waits for the
# Wine processes it started on that display (the desktop's explorer ends a
# moment after the last program in it) so the next test's desktop does not
# find this one still there, then ends the server.
#
# usage: on_xvfb.sh COMMAND [ARGS...]
set -u
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 ${VANTREL_XVFB_SCREEN:-1280x800x24} -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

wine_processes() {
  for p in $(pgrep -u "$(id -u)" -f '\.exe'); do
    case $(readlink "/proc/$p/exe" 2>/dev/null) in *wine*) ;; *) continue ;; esac
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && echo "$p"
  done
}

"$@"
status=$?
for _ in $(seq 50); do [ -z "$(wine_processes)" ] && break; sleep 0.1; done
left=$(wine_processes)
[ -n "$left" ] && kill $left 2>/dev/null
kill "$xvfb" 2>/dev/null
rm -rf "$work"
exit $status
