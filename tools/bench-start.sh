#!/usr/bin/env bash
# Start-up benchmark under Wine: process start to the main window shown, ten
# runs, beside Wine's start-up of a program that ends at once
# (tes_record_args.exe without its variable). Prints the medians; asserts
# nothing. Needs the MinGW build with the test programs (build/mingw).
#   bash tools/bench-start.sh
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
build_dir=$(realpath -m "${BUILD_DIR:-$root/build/mingw}")
cmake --build "$build_dir" --target tes tes_record_args >/dev/null

measure() {
  bash "$root/tools/wine-session.sh" "$build_dir" bash -c '
    bin="$1"; runs=10
    now() { date +%s%N; }
    median() { sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
    cd "$bin"
    for _ in $(seq 1 $runs); do
      t0=$(now); wine "$bin/tes_record_args.exe" >/dev/null 2>&1 || true; t1=$(now)
      echo $(( (t1 - t0) / 1000000 ))
    done | median > /tmp/bench-start-empty.$$
    for _ in $(seq 1 $runs); do
      t0=$(now)
      wine "$bin/tes.exe" >/dev/null 2>&1 &
      pid=$!
      until xdotool search --onlyvisible --name "Tessaly" >/dev/null 2>&1; do sleep 0.01; done
      t1=$(now)
      echo $(( (t1 - t0) / 1000000 ))
      wine taskkill /im tes.exe >/dev/null 2>&1 || true
      wait $pid || true
    done | median > /tmp/bench-start-tes.$$
    echo "empty program start and end (median of $runs): $(cat /tmp/bench-start-empty.$$) ms"
    echo "tes.exe start to main window shown (median of $runs): $(cat /tmp/bench-start-tes.$$) ms"
    rm -f /tmp/bench-start-*.$$
  ' _ "$build_dir/bin"
}
measure
