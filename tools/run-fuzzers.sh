#!/usr/bin/env bash
# Runs the fuzz targets of a sanitizer build for a bounded time each and ends
# with a table of executions, executions per second (wall clock and per CPU
# second, since the machine may be shared) and peak memory per target.
# A finding fails the run and prints the sanitizer's whole report; the input
# that caused it is kept in BUILD_DIR/fuzz-work/NAME-findings.
#
# Usage: tools/run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
#   TARGET        only these targets (e.g. fuzz_settings); all fuzz_* otherwise
#   FUZZ_CORPUS   a folder that keeps each target's corpus (FUZZ_CORPUS/NAME)
#                 between runs; the committed seeds (tests/fuzz/corpus/NAME)
#                 are read as well, never written. Without it every run starts
#                 from a scratch copy of the seeds.
#   ASAN_OPTIONS  defaults to what keeps the search fast without missing
#                 anything: a smaller quarantine, short allocation stacks, no
#                 filling of new blocks, and freed memory kept instead of
#                 handed back to the system every few seconds. A finding is
#                 then run once more with full allocation stacks for the
#                 report.
#
# The settings document targets get the format's tokens from
# tests/fuzz/settings.dict (the fuzz build does not trace comparisons).
# Inputs of the settings document targets are kept to 1024 bytes: the reader
# is a unit-by-unit state machine whose every state (nesting, both encodings,
# surrogates, escapes, broken tags) shows within a few hundred bytes, while
# its cost grows with the length, so longer inputs only slow the search. The
# file target too: the file layer reads in 8 KB blocks, beyond any input
# libFuzzer makes by default, and the reading in pieces of 1 to 3 bytes is
# what meets the block joins (a unit test reads a file of many blocks).
set -euo pipefail

build_dir=$(realpath "$1")
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=64:malloc_context_size=2:max_malloc_fill_size=0:allocator_release_to_os_interval_ms=-1}

targets=()
if [ $# -gt 0 ]; then
  for name in "$@"; do targets+=("$build_dir/tests/fuzz/$name"); done
else
  shopt -s nullglob
  targets=("$build_dir"/tests/fuzz/fuzz_*)
fi

status=0
summary=()
for fuzzer in "${targets[@]}"; do
  [ -x "$fuzzer" ] || { echo "!! no fuzz target $fuzzer"; status=1; continue; }
  name=$(basename "$fuzzer")
  seeds="$root/tests/fuzz/corpus/$name"
  findings="$build_dir/fuzz-work/$name-findings"
  log="$build_dir/fuzz-work/$name.log"
  cpu="$build_dir/fuzz-work/$name.cpu"
  rm -rf "$findings"
  mkdir -p "$findings"
  corpora=()
  if [ -n "${FUZZ_CORPUS:-}" ]; then
    work="$FUZZ_CORPUS/$name"
    mkdir -p "$work"
    corpora=("$work")
    [ -d "$seeds" ] && corpora+=("$seeds")
  else
    work="$build_dir/fuzz-work/$name"
    rm -rf "$work"
    mkdir -p "$work"
    [ -d "$seeds" ] && cp -r "$seeds/." "$work/"
    corpora=("$work")
  fi
  limits=()
  case $name in
    fuzz_xml_reader | fuzz_settings | fuzz_xml_file) limits=(-max_len=1024 -dict="$root/tests/fuzz/settings.dict") ;;
  esac
  echo "-- $name for ${seconds}s (corpus $work)"
  TIMEFORMAT='%R %U %S'
  if { time "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 "${limits[@]}" \
         -artifact_prefix="$findings/" "${corpora[@]}" >"$log" 2>&1; } 2>"$cpu"; then
    result=ok
  else
    echo "!! $name found a problem:"
    grep -v -E '^(#[0-9]+|INFO:|MERGE|\s*".*" # Uses)' "$log" | tail -n 80
    ls "$findings"
    for input in "$findings"/*; do
      [ -f "$input" ] || continue
      echo "!! $(basename "$input") again, with full allocation stacks:"
      ASAN_OPTIONS=malloc_context_size=30 "$fuzzer" "$input" 2>&1 | tail -n 120 || true
    done
    result=FINDING
    status=1
  fi
  final_stat() { grep -E "^stat::$1:" "$log" | awk '{print $2}' | tail -n 1; }
  runs=$(final_stat number_of_executed_units)
  rate=$(final_stat average_exec_per_sec)
  rss=$(final_stat peak_rss_mb)
  read -r wall user sys <"$cpu"
  cpu_seconds=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.0f", u + s }')
  per_cpu=$(awk -v n="${runs:-0}" -v u="$user" -v s="$sys" 'BEGIN { c = u + s; printf "%d", (c > 0 ? n / c : 0) }')
  summary+=("$(printf '%-18s %12s %10s %12s %8s %10s  %s' "$name" "${runs:-?}" "${rate:-?}" "$per_cpu" \
    "$cpu_seconds" "${rss:-?}" "$result")")
done

printf '\n%-18s %12s %10s %12s %8s %10s  %s\n' target executions "exec/s" "exec/cpu-s" "cpu-s" "peak MB" result
for line in "${summary[@]}"; do echo "$line"; done
exit $status
