#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build for a bounded time, each from
# its committed seed corpus (tests/fuzz/corpus/NAME) copied to a scratch folder.
# A finding fails the run and prints the sanitizer's whole report; the input
# that caused it is kept in BUILD_DIR/fuzz-work/NAME-findings.
# Usage: tools/run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail

build_dir=$(realpath "$1")
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)

status=0
shopt -s nullglob
for fuzzer in "$build_dir"/tests/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  work="$build_dir/fuzz-work/$name"
  findings="$build_dir/fuzz-work/$name-findings"
  log="$build_dir/fuzz-work/$name.log"
  rm -rf "$work" "$findings"
  mkdir -p "$work" "$findings"
  if [ -d "$root/tests/fuzz/corpus/$name" ]; then
    cp -r "$root/tests/fuzz/corpus/$name/." "$work/"
  fi
  echo "-- $name for ${seconds}s"
  if "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
       -artifact_prefix="$findings/" "$work" >"$log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
  else
    echo "!! $name found a problem:"
    grep -v -E '^(#[0-9]+|INFO:|MERGE|\s*".*" # Uses)' "$log" | tail -n 80
    ls "$findings"
    status=1
  fi
done
exit $status
