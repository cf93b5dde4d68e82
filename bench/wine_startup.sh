#!/bin/sh
# Start-up of vantrel.exe under Wine beside the smallest notification-icon
# program built the same way (run by hand after `make windows`):
#   bench/wine_startup.sh [build/windows]
# Uses the test prefix (tests/wine/wine_prefix.sh) on an Xvfb of its own.
set -eu
build=$(cd "${1:-build/windows}" && pwd)
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
here=$(cd "$(dirname "$0")" && pwd)
"$here/../tests/wine/wine_prefix.sh" start "$WINEPREFIX"
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; "$here/../tests/wine/wine_prefix.sh" stop "$WINEPREFIX"; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
ls -l "$build/bin/vantrel.exe" "$build/bin/tray-minimal.exe" | awk '{print $5, $NF}'
timeout -k 5 300 wine "$build/bin/startup-bench.exe" "$build/bin/tray-minimal.exe" "$build/bin/vantrel.exe"
