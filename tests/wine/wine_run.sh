#!/bin/sh
# Runs a Windows program of the build under Wine in the test prefix
# (wine_prefix.sh), bounded in time: Wine's exit code is not to be trusted,
# so tests judge the program's output.
export WINEPREFIX="${VANTREL_WINEPREFIX:?VANTREL_WINEPREFIX names the test prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec timeout -k 5 "${VANTREL_WINE_TIMEOUT:-120}" wine "$@"
