#!/bin/sh
# Prints the figures a desktop user feels: start-up to the icon and to the
# shown window, resident memory idle, CPU idle with the display cycling, and
# CPU idle behind the icon without the status watch and with it at 10 s.
# Runs the real program on Xvfb with a tray host and the emulated printer.
#   bench/desktop_bench.sh [BUILD]      (default build)
set -eu
build=${1:-build}
here=$(dirname "$0")
exec "$here/../tests/desktop/run_desktop_test.sh" "$build/bin/vantrel-desktop-driver" \
  "$build/bin/vantrel-demo-printer" "$build/bin/vantrel" "$build/screenshots" --bench
