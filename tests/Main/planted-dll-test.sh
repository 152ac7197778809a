#!/usr/bin/env bash
# A winmm.dll and an msimg32.dll left beside the program (the stand-in
# planted_dll.dll under both names, which writes NAME.loaded when loaded)
# must never be loaded: not by tes.exe's start and a capture with its sound,
# nor by the framework's AlphaBlend. Runs inside tools/wine-session.sh.
# Usage: planted-dll-test.sh BIN_DIR WORK_DIR
set -uo pipefail

bin=$1
dir=$2
rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || exit 1
cp "$bin"/{tes.exe,TesLib.dll,Framework.dll,hook.dll,snap.wav,tes_shot_driver.exe,framework_gdi_tests.exe} .
cp "$bin/planted_dll.dll" winmm.dll && cp "$bin/planted_dll.dll" msimg32.dll
# Wine takes its own builtin copy of a system DLL wherever a file of that
# name is found; for these two it must search as Windows does.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winmm,msimg32=n,b"
fail() { echo "planted-dll-test: $*"; exit 1; }
loaded() { find . -iname '*.loaded' -printf '%f '; }

wine rundll32.exe "$(winepath -w "$dir/winmm.dll")",sndPlaySoundW
[ -n "$(loaded)" ] || fail "the stand-in writes no marker when loaded"
rm -f ./*.loaded

wine framework_gdi_tests.exe --gtest_filter='CDCDrawing.AlphaBlend*' >gdi.log 2>&1 || fail "AlphaBlend: $(cat gdi.log)"
wine tes.exe &
program=$!
trap 'wine taskkill /im tes.exe >/dev/null 2>&1' EXIT
wine tes_shot_driver.exe bench 1 || fail "no capture seen"
wine taskkill /im tes.exe >/dev/null 2>&1
wait "$program"
trap - EXIT
[ -z "$(loaded)" ] || fail "loaded from the program's folder: $(loaded)"
echo "planted-dll-test: ok"
