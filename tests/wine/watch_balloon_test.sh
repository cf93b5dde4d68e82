#!/bin/sh
# The status watch of the demo program under Wine (on_xvfb.sh, in a Wine
# virtual desktop): started with --watch beside its printer (low on magenta
# and black toner, no A4 paper in the tray), it asks the notification area for a balloon
# naming the new codes (a bad period's refusal is program_arguments_test.sh's).
# The tray with its balloon is shot into SHOTS/watch_balloon.png.
#
# usage: watch_balloon_test.sh PROBE DEMO SHOTS
set -eu
probe=$1 demo=$2 shots=$3
export WINEPREFIX="${VANTREL_WINEPREFIX:?VANTREL_WINEPREFIX names the test prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$shots"
demo_pid=
trap '[ -z "$demo_pid" ] || kill "$demo_pid" 2>/dev/null || true' EXIT
: "${DISPLAY:?run it on an X server of its own: on_xvfb.sh watch_balloon_test.sh ...}"
fail() { echo "FAILED: $*"; exit 1; }
probe() { timeout -k 5 30 wine "$probe" "$@" | tr -d '\r'; }

timeout -k 5 170 wine "$demo" --watch=10 &
demo_pid=$!
tray=$(probe tray) || fail "no icon: $tray"
balloon=$(probe balloon) || fail "$balloon"
[ "$balloon" = "TONER LOW MK
CHECK TRAY PAPER
LOAD PAPER(A4)" ] || fail "the balloon says: $balloon"
sleep 0.5
import -display "$DISPLAY" -window root "$shots/watch_balloon.png"
echo "balloon: $balloon" | tr '\n' ' '; echo

set -- $tray
xdotool mousemove "$1" "$2" click 3
item=$(probe menu-item 1)
set -- $item
xdotool mousemove "$1" "$2" click 1
probe gone >/dev/null || fail "the program did not end after Exit"
demo_pid=
echo "watch balloon test passed"
