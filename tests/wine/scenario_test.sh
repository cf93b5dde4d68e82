#!/bin/sh
# Plays one user story with vantrel-scenario.exe on the real Win32 dialogs:
# under Wine, on an X server of its own, in a Wine virtual desktop (on the
# bare X server every hide of a window waits 2 s for a window manager), in
# a fresh folder for the files it writes; passed when the transcript is the
# expected one.
#
# usage: scenario_test.sh RUNNER.exe SCENARIO EXPECTED WORKDIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$4"
mkdir -p "$4"
cd "$4" || exit 1
# Wine's exit code is not to be trusted: the transcript tells.
"$here/on_xvfb.sh" "$here/wine_run.sh" explorer /desktop=Vantrel,1280x800 "$1" "$2" \
  >transcript.txt 2>errors.txt
if ! cmp -s "$3" transcript.txt; then
  echo "the transcript differs from $3:"
  diff -u "$3" transcript.txt
  cat errors.txt
  exit 1
fi
