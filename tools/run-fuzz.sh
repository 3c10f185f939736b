#!/bin/sh
# Runs every fuzz target of a fuzz build for a bounded time and fails when
# one of them finds a crash, a hang, an out-of-bounds access or a broken
# property. Each target starts from its seeds (tools/fuzz-seeds/<target>)
# and keeps what it learns in BUILD/corpus/<target>; findings go to
# BUILD/findings/<target>/.
# Usage: run-fuzz.sh BUILD [SECONDS_PER_TARGET]   (default 60)
set -eu
build=${1:?usage: run-fuzz.sh BUILD [SECONDS]}
seconds=${2:-60}
here=$(cd "$(dirname "$0")/.." && pwd)

targets=$(find "$build" -maxdepth 1 -type f -name '*_fuzz' -perm -u+x | sort)
if [ -z "$targets" ]; then
  echo "run-fuzz: no fuzz targets in $build" >&2
  exit 2
fi

failed=0
for target in $targets; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  log="$build/findings/$name.log"
  mkdir -p "$corpus" "$findings"
  seeds="$here/tools/fuzz-seeds/$name"
  [ -d "$seeds" ] || seeds=
  # The outer time limit catches a target that stops answering altogether.
  status=0
  timeout --kill-after=10 $((seconds + 120)) "$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="$findings/" \
      "$corpus" $seeds >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  [ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    echo "run-fuzz: $name: ${runs:-?} executions in ${seconds} s, nothing found"
  else
    failed=1
    echo "run-fuzz: $name FAILED (status $status) after ${runs:-?} executions; see $log" >&2
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|.*deadly signal|.*Test unit written)' "$log" |
      head -n 10 >&2 || true
  fi
done
exit $failed
