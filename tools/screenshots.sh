#!/usr/bin/env bash
# Screenshots of each window of tes.exe under Wine, with Chinese text drawn
# through the prefix's font links: main window, the three options pages,
# about box, window chooser, region overlay during a drag, object-pick tip.
# tes.exe runs from a copy of the binaries with default settings except that
# the main window stays up during captures (so the overlay and the tip have
# it to show); tes_shot_driver.exe opens each window from a second process
# and writes the PNGs (without a window manager there are no captions). Needs the MinGW build (build/mingw).
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
# config.xml is UTF-16LE; settings it leaves out keep their defaults.
printf '<Voruzev><Basic><HideMainWnd>0</HideMainWnd></Basic></Voruzev>' |
  iconv -f UTF-8 -t UTF-16LE > "$run_dir/config.xml"
started=$(date +%s)

bash "$root/tools/wine-session.sh" "$build_dir" bash -c '
  run_dir="$1"; out_dir="$2"
  cd "$run_dir"
  wine "$run_dir/tes.exe" >/dev/null 2>&1 &
  tes_pid=$!
  wine "$run_dir/tes_shot_driver.exe" shots "$(winepath -w "$out_dir")" \
    > "$run_dir/driver.log" 2>&1 || true
  wine taskkill /im tes.exe >/dev/null 2>&1 || true
  wait $tes_pid || true
' _ "$run_dir" "$out_dir"

# The driver prints "wrote FILE" or "FAILED FILE" for each picture.
cat "$run_dir/driver.log" 2>/dev/null || true
missing=0
for name in main-window options-basic options-image options-hotkey about window-chooser \
            region-overlay object-pick-tip; do
  if [ ! -f "$out_dir/$name.png" ] || [ "$(stat -c %Y "$out_dir/$name.png")" -lt "$started" ]; then
    echo "screenshots: $name.png was not written" >&2
    missing=1
  fi
done
exit $missing
