#!/usr/bin/env bash
# Runs one command inside a Wine session on a virtual X display: a fresh Wine
# prefix under the build folder, an Xvfb screen of 1920x1080x24 (or of
# WINE_SCREEN, e.g. 3840x2160x24) and one persistent wineserver, all stopped
# again when the command ends.
# Usage: tools/wine-session.sh BUILD_DIR COMMAND [ARGS...]
set -euo pipefail

build_dir=$(realpath "$1")
shift

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko installer prompts in a headless prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml="

display_number=$(( 90 + RANDOM % 400 ))
while [ -e "/tmp/.X${display_number}-lock" ]; do
  display_number=$(( display_number + 1 ))
done
export DISPLAY=":${display_number}"

Xvfb "$DISPLAY" -screen 0 "${WINE_SCREEN:-1920x1080x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" >/dev/null 2>&1 || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

for _ in $(seq 1 50); do
  xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
  sleep 0.1
done

# The persistent server and Wine's own background processes start here, with
# their output detached, so that they never hold the pipes of the test runner.
mkdir -p "$WINEPREFIX"
wineserver -p
timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
# Chinese text drawn with a CJK font instead of boxes.
"$(dirname "$(realpath "$0")")/wine-prefix-fonts.sh"
"$@"
