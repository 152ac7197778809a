#!/usr/bin/env bash
# Smoke test of tools/run.sh without a display: it must print a screenshot of
# a painted main window, keep the program running, close it on Ctrl+C (SIGTERM
# here, which it handles alike) and leave a fresh config.xml beside tes.exe.
# Usage: run-headless-smoke.sh SOURCE_DIR BUILD_DIR
set -uo pipefail

source_dir=$1
build_dir=$2
shot="$build_dir/run-smoke-screenshot.png"
log="$build_dir/run-smoke.log"
config="$build_dir/bin/config.xml"
rm -f "$shot" "$config"

unset DISPLAY
TES_SCREENSHOT="$shot" BUILD_DIR="$build_dir" setsid bash "$source_dir/tools/run.sh" >"$log" 2>&1 &
run_pid=$!

fail() { echo "run-headless-smoke: $*"; cat "$log"; kill -KILL -- -"$run_pid" 2>/dev/null; exit 1; }

for _ in $(seq 1 240); do
  grep -q 'keeps running' "$log" && break
  kill -0 "$run_pid" 2>/dev/null || fail "run.sh ended before the program was up"
  sleep 0.5
done
grep -q "screenshot after start-up: $shot" "$log" || fail "no screenshot path printed"
colours=$(identify -format '%k' "$shot") || fail "no readable screenshot"
[ "$colours" -gt 500 ] || fail "the screenshot shows no main window ($colours colours)"
sleep 2
kill -0 "$run_pid" 2>/dev/null || fail "the program did not keep running"

# A background job ignores SIGINT, so Ctrl+C is stood in for by SIGTERM,
# which run.sh handles the same way.
kill -TERM -- -"$run_pid"
for _ in $(seq 1 60); do
  kill -0 "$run_pid" 2>/dev/null || break
  sleep 0.5
done
kill -0 "$run_pid" 2>/dev/null && fail "run.sh did not end after Ctrl+C"
[ -f "$config" ] || fail "no config.xml after closing"
# The test programs beside tes.exe start from the defaults.
rm -f "$config"
echo "run-headless-smoke: ok ($colours colours)"
