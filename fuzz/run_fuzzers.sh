#!/bin/sh
# Runs every fuzz target in BIN for SECONDS each, starting from a copy of its
# seed corpus in CORPORA/NAME (the copy grows in WORK/NAME, the build's stays
# as it put it together), and prints per target the executions, their rate, the corpus size
# reached and the findings (inputs that crashed or broke a check, kept in
# WORK/NAME-findings). Exit status 1 when any target found something.
# Usage: run_fuzzers.sh BIN SECONDS CORPORA WORK [PARALLEL]
set -u
bin=$1 seconds=$2 corpora=$3 work=$4 parallel=${5:-1}
mkdir -p "$work"

run_one() {
  name=$1
  rm -rf "$work/$name" "$work/$name-findings"
  mkdir -p "$work/$name" "$work/$name-findings"
  cp "$corpora/$name"/* "$work/$name"/ 2>/dev/null
  "$bin/$name" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/$name-findings/" "$work/$name" >"$work/$name.log" 2>&1
}

targets=$(cd "$bin" && ls *_fuzzer)
running=0
for name in $targets; do
  run_one "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then wait; running=0; fi
done
wait

status=0
printf '%-26s %12s %10s %8s %9s\n' target executions "exec/s" corpus findings
for name in $targets; do
  log="$work/$name.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  corpus=$(ls "$work/$name" | wc -l)
  findings=$(ls "$work/$name-findings" | wc -l)
  [ "$findings" -gt 0 ] && status=1
  printf '%-26s %12s %10s %8s %9s\n' "$name" "${runs:-?}" "${rate:-?}" "$corpus" "$findings"
done
exit $status
