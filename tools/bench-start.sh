#!/usr/bin/env bash
# Start-up benchmark under Wine: process start to the main window shown, ten
# runs, beside Wine's start-up of a program that ends at once
# (tes_record_args.exe without its variable) and beside the floor
# (tes_start_floor.exe: the same system DLLs, common controls and GDI+ as
# tes.exe, then a plain window), runs of the two interleaved so that noise
# falls on both alike. Both programs write their start-up stages
# (TES_START_TRACE, Main/CStartTrace.h), printed as medians. Then memory:
# private bytes and GDI objects of tes.exe after start-up and after 100
# full-screen captures from the Print Screen hot key, the key sent with
# SendInput by tes_shot_driver.exe, a second Wine process, which waits for
# each capture to end (the main window hidden and shown again). tes.exe runs
# with default settings from a copy of the binaries. Prints the figures;
# asserts nothing. Needs the MinGW build with the test programs (build/mingw).
#   bash tools/bench-start.sh      (BENCH_MEMORY_ONLY=1: the memory part only)
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
build_dir=$(realpath -m "${BUILD_DIR:-$root/build/mingw}")
cmake --build "$build_dir" --target tes tes_record_args tes_shot_driver tes_start_floor >/dev/null

measure() {
  local traces
  traces=$(mktemp -d)
  bash "$root/tools/wine-session.sh" "$build_dir" bash -c '
    bin="$1"; traces="$2"; runs=10
    now() { date +%s%N; }
    median() { sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
    # Starts a program, waits until its window named $2 is on screen, prints
    # the milliseconds, closes the program and waits for its end.
    start_to_window() {
      local t0 t1 pid
      t0=$(now)
      TES_START_TRACE="Z:$3" wine "$bin/$1" >/dev/null 2>&1 &
      pid=$!
      until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do sleep 0.01; done
      t1=$(now)
      echo $(( (t1 - t0) / 1000000 ))
      wine taskkill /im "$1" >/dev/null 2>&1 || true
      wait $pid || true
    }
    cd "$bin"
    for _ in $(seq 1 $runs); do
      t0=$(now); wine "$bin/tes_record_args.exe" >/dev/null 2>&1 || true; t1=$(now)
      echo $(( (t1 - t0) / 1000000 ))
    done | median > "$traces/empty"
    for i in $(seq 1 $runs); do
      start_to_window tes_start_floor.exe "Start floor" "$traces/floor-$i.trace" >> "$traces/floor"
      start_to_window tes.exe "Tessaly" "$traces/tes-$i.trace" >> "$traces/tes"
    done
    floor=$(median < "$traces/floor")
    tes=$(median < "$traces/tes")
    echo "empty program start and end (median of $runs): $(cat "$traces/empty") ms"
    echo "floor start to window shown (median of $runs): $floor ms"
    echo "tes.exe start to main window shown (median of $runs): $tes ms"
    echo "tes.exe / floor: $(awk -v a="$tes" -v b="$floor" "BEGIN {printf \"%.2f\", a / b}")"
  ' _ "$build_dir/bin" "$traces"
  # Each stage: the median over the runs of its first mark, in milliseconds
  # since the process was created, and of the time since the stage before.
  for program in floor tes; do
    echo "$program stages (median of the runs; ms since process creation, ms since the stage before):"
    awk '
      FNR == 1 { run++; last = 0 }
      !seen[run, $1]++ {
        if (!($1 in index_of)) { index_of[$1] = ++stages; name[stages] = $1 }
        at[$1, run] = $2; step[$1, run] = $2 - last; last = $2; count[$1]++
      }
      function median(table, stage,   n, i, v, j, t) {
        n = 0
        for (i = 1; i <= run; i++) if ((stage, i) in table) v[++n] = table[stage, i]
        for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return v[int((n + 1) / 2)]
      }
      END {
        for (s = 1; s <= stages; s++)
          printf "  %-18s %7.1f %7.1f\n", name[s], median(at, name[s]), median(step, name[s])
      }' "$traces/$program"-*.trace
  done
  rm -rf "$traces"
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
