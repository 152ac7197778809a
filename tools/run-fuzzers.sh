#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build for a bounded time, each from
# its committed seed corpus (tests/fuzz/corpus/NAME) copied to a scratch folder.
# Usage: tools/run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail

build_dir=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)

shopt -s nullglob
for fuzzer in "$build_dir"/tests/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  work="$build_dir/fuzz-work/$name"
  rm -rf "$work"
  mkdir -p "$work"
  if [ -d "$root/tests/fuzz/corpus/$name" ]; then
    cp -r "$root/tests/fuzz/corpus/$name/." "$work/"
  fi
  echo "-- $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 "$work" 2>&1 | tail -n 12
done
