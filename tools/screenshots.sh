#!/usr/bin/env bash
# Screenshots of each window of tes.exe under Wine, with Chinese text drawn
# through the prefix's font links: main window, the three options pages,
# about box, window chooser, region overlay during a drag, object-pick tip.
# tes.exe runs with default settings from a copy of the binaries, and
# tes_shot_driver.exe opens each window from a second process and writes
# the PNGs. Needs the MinGW build (build/mingw).
#   bash tools/screenshots.sh [OUTPUT_FOLDER]   (default docs/screenshots)
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
build_dir=$(realpath -m "${BUILD_DIR:-$root/build/mingw}")
out_dir=$(realpath -m "${1:-$root/docs/screenshots}")
cmake --build "$build_dir" --target tes tes_shot_driver >/dev/null

run_dir="$build_dir/screenshots-run"
rm -rf "$run_dir"
mkdir -p "$run_dir" "$out_dir"
cp "$build_dir"/bin/*.dll "$build_dir/bin/tes.exe" "$build_dir/bin/tes_shot_driver.exe" "$run_dir/"
cp "$build_dir/bin/snap.wav" "$run_dir/" 2>/dev/null || true

bash "$root/tools/wine-session.sh" "$build_dir" bash -c '
  run_dir="$1"; out_dir="$2"
  cd "$run_dir"
  wine "$run_dir/tes.exe" >/dev/null 2>&1 &
  tes_pid=$!
  status=0
  wine "$run_dir/tes_shot_driver.exe" shots "$(winepath -w "$out_dir")" || status=$?
  wine taskkill /im tes.exe >/dev/null 2>&1 || true
  wait $tes_pid || true
  exit $status
' _ "$run_dir" "$out_dir"
