#!/usr/bin/env bash
# Start-up benchmark under Wine: process start to the main window shown, ten
# runs, beside Wine's start-up of a program that ends at once
# (tes_record_args.exe without its variable). Then memory: private bytes
# and GDI objects of tes.exe after start-up and after 100 full-screen
# captures from the Print Screen hot key, the key sent with SendInput by
# tes_shot_driver.exe, a second Wine process, which waits for each capture
# to end (the main window hidden and shown again). tes.exe runs with
# default settings from a copy of the binaries. Prints the figures; asserts
# nothing. Needs the MinGW build with the test programs (build/mingw).
#   bash tools/bench-start.sh      (BENCH_MEMORY_ONLY=1: the memory part only)
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
build_dir=$(realpath -m "${BUILD_DIR:-$root/build/mingw}")
cmake --build "$build_dir" --target tes tes_record_args tes_shot_driver >/dev/null

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

measure_memory() {
  local run_dir="$build_dir/bench-memory-run"
  rm -rf "$run_dir"
  mkdir -p "$run_dir"
  cp "$build_dir"/bin/*.dll "$build_dir/bin/tes.exe" "$build_dir/bin/tes_shot_driver.exe" "$run_dir/"
  bash "$root/tools/wine-session.sh" "$build_dir" bash -c '
    cd "$1"
    wine "$1/tes.exe" >/dev/null 2>&1 &
    pid=$!
    wine "$1/tes_shot_driver.exe" bench 100 || echo "(not every capture was seen to end)"
    wine taskkill /im tes.exe >/dev/null 2>&1 || true
    wait $pid || true
  ' _ "$run_dir"
}

[ "${BENCH_MEMORY_ONLY:-0}" = 1 ] || measure
measure_memory
