#!/bin/sh
# The Windows program's command line under Wine (on_xvfb.sh), as
# tests/gui/program_arguments.cmake checks the Linux program's: --help, /?
# and --version answer in a message box titled "Vantrel" and end with 0;
# a typo, a watch period out of range and --show with --quit are refused
# with status 2, in the user's language; --quit with nothing running says so
# and ends with 1. No window of the program opens before the box.
#
# usage: program_arguments_test.sh PROBE PROGRAM VERSION
set -eu
probe=$1 program=$2 version=$3
export WINEPREFIX="${VANTREL_WINEPREFIX:?VANTREL_WINEPREFIX names the test prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
: "${DISPLAY:?run it on an X server of its own: on_xvfb.sh program_arguments_test.sh ...}"
fail() { echo "FAILED: $*"; exit 1; }

# expect LOCALE STATUS TEXT ARGUMENT...: the box's title and text, the status.
expect() {
  locale=$1 status=$2 text=$3
  shift 3
  argument="$*"
  LC_ALL=$locale timeout -k 5 30 wine "$program" "$@" &
  pid=$!
  said=$(LC_ALL=$locale timeout -k 5 30 wine "$probe" title message text message 65535 gone answer |
    tr -d '\r') || fail "$argument: no message box: $said"
  ended=0
  wait "$pid" || ended=$?
  title=$(printf '%s\n' "$said" | head -n 1)
  shown=$(printf '%s\n' "$said" | tail -n +2)
  [ "$title" = Vantrel ] || fail "$argument: the box is titled \"$title\""
  case $shown in
    "$text"*) ;;
    *) fail "$argument ($locale) said: $shown" ;;
  esac
  [ "$ended" = "$status" ] || fail "$argument: status $ended, not $status"
  echo "$argument ($locale): $status, $(printf '%s\n' "$shown" | head -n 1)"
}

usage='Usage: vantrel [--at-login] [--watch[=SECONDS]] [--show | --quit]
The Tarnlow printer'"'"'s operator panel'
expect en_US.UTF-8 0 "$usage" --help
expect en_US.UTF-8 0 "$usage" '/?'
expect en_US.UTF-8 0 "vantrel $version" --version
expect en_US.UTF-8 2 'Unknown command-line argument: --wacth=30
Start Vantrel with --help to see its options.' --wacth=30
expect de_DE.UTF-8 2 'Unbekanntes Befehlszeilenargument: --wacth=30
Starten Sie Vantrel mit --help, um die Optionen zu sehen.' --wacth=30
expect en_US.UTF-8 2 '--watch takes a number of seconds from 10 to 3600, not "5".
Start Vantrel with --help to see its options.' --watch=5
expect de_DE.UTF-8 2 'Die Optionen --show und --quit schließen einander aus.
Starten Sie Vantrel mit --help, um die Optionen zu sehen.' --quit --show
expect en_US.UTF-8 1 'Vantrel is not running.' --quit
echo "program arguments test passed"
