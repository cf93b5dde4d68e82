#!/bin/sh
# One instance at a time, and a killed instance leaves nothing stuck:
#   single_instance_test.sh PROGRAM
set -u
program=$1
runtime=$(mktemp -d) && chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen
fail() { echo "FAILED: $1"; kill -9 $first 2>/dev/null; rm -rf "$runtime"; exit 1; }

"$program" & first=$!
sleep 1
kill -0 $first 2>/dev/null || fail "the first instance runs"
timeout 10 "$program"; status=$?
[ $status -eq 0 ] || fail "a second start ends at once with 0 (got $status)"
kill -0 $first 2>/dev/null || fail "the first instance is not disturbed"
echo "ok: a second start ends at once with 0 and leaves the first running"

kill -9 $first; wait $first 2>/dev/null
"$program" & again=$!
sleep 1
kill -0 $again 2>/dev/null || fail "a start after the first was killed runs"
kill $again; wait $again 2>/dev/null
echo "ok: a killed instance's lock is taken over"
rm -rf "$runtime"
