#!/usr/bin/env bash
# Sets up Chinese text in the Wine prefix $WINEPREFIX (after wineboot -i):
# imports tools/wine-fonts.reg, the font links and substitutes that make Wine
# draw Chinese characters with WenQuanYi Micro Hei instead of empty boxes.
# Usage: WINEPREFIX=... tools/wine-prefix-fonts.sh
set -euo pipefail

tools_dir=$(dirname "$(realpath "$0")")
: "${WINEPREFIX:?WINEPREFIX must name the prefix}"

# regedit reads a version 5 file as UTF-16LE with a byte-order mark.
reg_file="$WINEPREFIX/tes-fonts.reg"
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$tools_dir/wine-fonts.reg"; } > "$reg_file"
timeout 120 wine regedit /S "$reg_file" </dev/null >/dev/null 2>&1
