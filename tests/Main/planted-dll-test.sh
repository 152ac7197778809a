#!/usr/bin/env bash
# A winmm.dll left beside the program (the stand-in planted_dll.dll, which
# writes winmm.dll.loaded when loaded) must never be loaded: not by tes.exe's
# start nor by a capture with its sound. (msimg32 cannot be shown this way:
# Wine's own uxtheme imports it, and would take a planted one.) Runs inside
# tools/wine-session.sh.
# Usage: planted-dll-test.sh BIN_DIR WORK_DIR
set -uo pipefail

bin=$1
dir=$2
rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || exit 1
cp "$bin"/{tes.exe,TesLib.dll,Framework.dll,hook.dll,snap.wav,tes_shot_driver.exe} .
cp "$bin/planted_dll.dll" winmm.dll
# Wine takes its own builtin copy of a system DLL wherever a file of that
# name is found; for this one it must search as Windows does.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winmm=n,b"
fail() { echo "planted-dll-test: $*"; exit 1; }
loaded() { find . -iname '*.loaded' -printf '%f '; }

wine rundll32.exe "$(winepath -w "$dir/winmm.dll")",sndPlaySoundW
[ -n "$(loaded)" ] || fail "the stand-in writes no marker when loaded"
rm -f ./*.loaded

wine tes.exe &
program=$!
trap 'wine taskkill /im tes.exe >/dev/null 2>&1' EXIT
wine tes_shot_driver.exe bench 1 || fail "no capture seen"
wine taskkill /im tes.exe >/dev/null 2>&1
wait "$program"
trap - EXIT
[ -z "$(loaded)" ] || fail "loaded from the program's folder: $(loaded)"
echo "planted-dll-test: ok"
