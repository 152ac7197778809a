#!/usr/bin/env bash
# Grab benchmark: builds the Windows grab benchmarks (MinGW, Release) and runs
# them under Wine on a 1920x1080 virtual display, then times ImageMagick's
# `import -window root` of the same display in the same session. Each figure
# is the median, fastest and slowest of its runs, taken in turns with a bare
# BitBlt of the screen, and the main ones are also given as a ratio to that
# BitBlt: the grab (RUNS runs, default 100), the region selection overlay up
# to its first complete paint (OVERLAY_RUNS, default 20) and the engine's
# whole capture in stages (STAGE_RUNS, default 20). Then ten mouse moves while
# the engine sleeps in a 3 s capture delay, the GDI objects, handles and
# private bytes over CAPTURES captures with every effect on (default 1000),
# and, on a display of its own of 3840x2160, the peak memory of one capture
# with every effect on.
# Usage: tools/bench-grab.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-100}

if [ "${1:-}" = "--inside" ]; then
  build_dir=$2
  wine "$build_dir/bin/grab_bench.exe" "$runs"
  wine "$build_dir/bin/overlay_bench.exe" "${OVERLAY_RUNS:-20}"
  wine "$build_dir/bin/capture_bench.exe" stages "${STAGE_RUNS:-20}"
  wine "$build_dir/bin/capture_bench.exe" hook
  wine "$build_dir/bin/capture_bench.exe" resources "${CAPTURES:-1000}"
  times=()
  for _ in $(seq 1 "$runs"); do
    start=$(date +%s%N)
    # Raw RGB to nowhere: the X read and the conversion, no file encoding.
    import -silent -window root rgb:/dev/null
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  size=$(import -silent -window root -format '%wx%h' info:)
  printf '%s\n' "${times[@]}" | sort -n | awk -v size="$size" -v runs="$runs" '
    { t[NR] = $1 }
    END {
      median = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
      printf "%-24s %-11s  median %8.3f ms  min %8.3f ms  max %8.3f ms  (%d runs)\n",
             "import -window root", size, median / 1000, t[1] / 1000, t[NR] / 1000, runs
    }'
  exit 0
fi

build_dir=$(realpath -m "${1:-$root/build/grab-bench-mingw}")

if ! command -v import >/dev/null 2>&1; then
  if [ "$(id -u)" = 0 ]; then
    apt-get install -y imagemagick >/dev/null
  else
    sudo apt-get install -y imagemagick >/dev/null
  fi
fi

cmake -S "$root" -B "$build_dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTES_BUILD_BENCH=ON -DTES_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" --target grab_bench overlay_bench capture_bench -j2 >/dev/null

echo "Screen grab, 1920x1080x24 virtual display under Wine:"
bash "$root/tools/wine-session.sh" "$build_dir" bash "$root/tools/bench-grab.sh" --inside "$build_dir"

echo "Peak memory, 3840x2160x24 virtual display under Wine:"
WINE_SCREEN=3840x2160x24 bash "$root/tools/wine-session.sh" "$build_dir" wine "$build_dir/bin/capture_bench.exe" peak
