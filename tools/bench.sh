#!/usr/bin/env bash
# Builds the benchmarks in a native Release tree (build/bench) and runs them:
#  1. when OpenCV is installed, the side-by-side table of every effect and
#     OpenCV's closest equivalent (ours, OpenCV, ratio; one thread and the
#     default thread count; 1920x1080 and 3840x2160), ROUNDS rounds (default 7);
#  2. the nine-stage chain at 3840x2160 once in a process of its own, with the
#     peak memory of that process (/usr/bin/time);
#  3. the Google benchmarks of every processor and the chain (milliseconds,
#     megapixels per second and memcpy times, "copies").
# Extra arguments go to the Google benchmark program, e.g.
#   tools/bench.sh --benchmark_filter=Blur
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
jobs=${BENCH_JOBS:-2}
rounds=${ROUNDS:-7}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTES_BUILD_BENCH=ON -DTES_BUILD_TESTS=OFF
cmake --build "$build" --target imaging_bench -j "$jobs"
if cmake --build "$build" --target imaging_compare -j "$jobs" 2>/dev/null; then
  echo "== our effects beside OpenCV"
  "$build/bench/imaging_compare" "$rounds"
  echo
  echo "== nine-stage chain, peak memory of the whole process"
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f "peak memory (maximum resident set): %M KB" "$build/bench/imaging_compare" chain
  else
    "$build/bench/imaging_compare" chain
  fi
else
  echo "== OpenCV not installed (Debian: libopencv-dev): no side-by-side table"
fi
echo
echo "== processor benchmarks"
"$build/bench/imaging_bench" --benchmark_counters_tabular=true "$@"
