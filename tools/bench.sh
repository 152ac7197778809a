#!/usr/bin/env bash
# Builds the benchmarks in a native Release tree (build/bench) and runs them:
# every processor and the nine-stage effects chain at 1920x1080 and
# 3840x2160, in milliseconds, megapixels per second and memcpy times
# ("copies"). Extra arguments go to the benchmark program, e.g.
#   tools/bench.sh --benchmark_filter=Blur
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
jobs=${BENCH_JOBS:-2}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTES_BUILD_BENCH=ON -DTES_BUILD_TESTS=OFF
cmake --build "$build" --target imaging_bench -j "$jobs"
"$build/bench/imaging_bench" --benchmark_counters_tabular=true "$@"
