#!/usr/bin/env bash
# Runs the program tes.exe under Wine, on a fresh Debian 12 machine too:
# installs what is missing, builds the Windows binaries when needed and
# starts tes.exe inside a Wine virtual desktop (1280x800, with a taskbar
# whose notification area shows the tray icon).
#
#   bash tools/run.sh
#
# With a usable $DISPLAY the desktop opens there and the command returns when
# the program ends. Without one it starts its own virtual display (Xvfb),
# writes a screenshot of the screen after start-up to the path it prints, and
# keeps the program running until Ctrl+C. Ctrl+C closes the program the way
# its close box does, so it writes config.xml beside itself.
# Environment: BUILD_DIR (default build/mingw), TES_SCREENSHOT (the
# screenshot's path, default BUILD_DIR/tes-screenshot.png).
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
build_dir=$(realpath -m "${BUILD_DIR:-build/mingw}")
screenshot=$(realpath -m "${TES_SCREENSHOT:-$build_dir/tes-screenshot.png}")

bash tools/install-deps.sh

# Build tes.exe and what it loads (ccache when there is one).
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$root"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "${launcher[@]}"
fi
cmake --build "$build_dir" --target tes -j"$(nproc)"
bin_dir="$build_dir/bin"

# A Wine prefix of its own, set up once, with Chinese text drawn properly.
export WINEPREFIX="$build_dir/wineprefix-run"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="

xvfb_pid=""
headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
  headless=1
  display_number=$(( 90 + RANDOM % 400 ))
  while [ -e "/tmp/.X${display_number}-lock" ]; do
    display_number=$(( display_number + 1 ))
  done
  export DISPLAY=":${display_number}"
  # Its own session too: Ctrl+C must not take the display from the program.
  setsid Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 50); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
    sleep 0.1
  done
fi

if [ ! -f "$WINEPREFIX/.tes-ready" ]; then
  mkdir -p "$WINEPREFIX"
  echo "run: preparing the Wine prefix $WINEPREFIX (once)"
  timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
  wineserver -w || true
  bash tools/wine-prefix-fonts.sh
  touch "$WINEPREFIX/.tes-ready"
fi

program_pid=""
stopping=0
stop_program() {
  [ "$stopping" -eq 0 ] || return 0
  stopping=1
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    # Without /f taskkill asks the program's windows to close (WM_CLOSE); it
    # runs inside the program's desktop, where it sees the program's windows.
    wine explorer /desktop=tes,1280x800 taskkill /im tes.exe >/dev/null 2>&1 || true
    for _ in $(seq 1 100); do
      kill -0 "$program_pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" >/dev/null 2>&1 || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap 'stop_program; exit 0' INT TERM
trap stop_program EXIT

cd "$bin_dir"
# In a session of its own, so that Ctrl+C reaches this script, which closes
# the program properly, and not the program's Wine processes directly.
setsid wine explorer /desktop=tes,1280x800 "$bin_dir/tes.exe" </dev/null >/dev/null 2>&1 &
program_pid=$!
echo "run: tes.exe started on display $DISPLAY (Wine desktop 'tes', 1280x800)"

if [ "$headless" -eq 1 ]; then
  # The whole screen once the main window has painted: a bare desktop has a
  # handful of colours, the main window's preview a great many.
  for _ in $(seq 1 120); do
    import -display "$DISPLAY" -window root "$screenshot" 2>/dev/null || true
    colours=$(identify -format '%k' "$screenshot" 2>/dev/null || echo 0)
    [ "$colours" -gt 500 ] && break
    sleep 0.5
  done
  sleep 1
  import -display "$DISPLAY" -window root "$screenshot"
  echo "run: screenshot after start-up: $screenshot"
  echo "run: tes.exe keeps running; press Ctrl+C to close it"
fi
wait "$program_pid" || true
