#!/usr/bin/env bash
# Runs one command inside a Wine session on a virtual X display: a fresh Wine
# prefix under the build folder, an Xvfb screen of 1920x1080x24 (or of
# WINE_SCREEN, e.g. 3840x2160x24) and one persistent wineserver, all stopped
# again when the command ends.
#
# WINE_HEADS="1280x800 1024x768" gives Wine one monitor per size instead,
# side by side from (0, 0), the first the primary: Xephyr with Xinerama runs
# inside the Xvfb display, and the prefix reads the heads through Xinerama.
# WINE_DPI=144 sets the prefix's screen DPI (HKCU\Control Panel\Desktop
# LogPixels; 96 is 100 %).
# Usage: tools/wine-session.sh BUILD_DIR COMMAND [ARGS...]
set -euo pipefail

build_dir=$(realpath "$1")
shift

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko installer prompts in a headless prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml="

free_display() {
  local number=$(( 90 + RANDOM % 400 ))
  while [ -e "/tmp/.X${number}-lock" ]; do
    number=$(( number + 1 ))
  done
  echo "$number"
}

wait_for_display() {
  for _ in $(seq 1 50); do
    xdpyinfo -display "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 0
}

display_number=$(free_display)
export DISPLAY=":${display_number}"

screen=${WINE_SCREEN:-1920x1080x24}
heads=()
if [ -n "${WINE_HEADS:-}" ]; then
  read -r -a heads <<<"$WINE_HEADS"
  # The outer display holds the heads side by side.
  width=0
  height=0
  for head in "${heads[@]}"; do
    width=$(( width + ${head%x*} ))
    [ "${head#*x}" -gt "$height" ] && height=${head#*x}
  done
  screen="${width}x${height}x24"
fi

Xvfb "$DISPLAY" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
xephyr_pid=""

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for pid in $xephyr_pid $xvfb_pid; do
    kill "$pid" >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT

wait_for_display "$DISPLAY"

if [ ${#heads[@]} -gt 0 ]; then
  head_screens=()
  for head in "${heads[@]}"; do
    head_screens+=(-screen "$head")
  done
  inner=":$(free_display)"
  Xephyr "$inner" +xinerama "${head_screens[@]}" -ac -nolisten tcp >/dev/null 2>&1 &
  xephyr_pid=$!
  export DISPLAY="$inner"
  wait_for_display "$DISPLAY"
fi

# The persistent server and Wine's own background processes start here, with
# their output detached, so that they never hold the pipes of the test runner.
mkdir -p "$WINEPREFIX"
wineserver -p
timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
# The heads come through Xinerama only, and the DPI from the user's desktop
# settings; both are read when the server starts again.
if [ ${#heads[@]} -gt 0 ] || [ -n "${WINE_DPI:-}" ]; then
  [ ${#heads[@]} -eq 0 ] ||
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 || true
  [ -z "${WINE_DPI:-}" ] ||
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$WINE_DPI" /f </dev/null >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p
fi
# Chinese text drawn with a CJK font instead of boxes.
"$(dirname "$(realpath "$0")")/wine-prefix-fonts.sh"
"$@"
