#!/usr/bin/env bash
# Every DLL a shipped binary imports at load time is one the loader never
# looks for beside the program: a known DLL of the system (Windows 10 and
# later), the common controls (redirected by the manifest's dependency), or
# one of ours. Anything else must be loaded through CSystemLibrary.
# Usage: imports-test.sh OBJDUMP BIN_DIR
set -uo pipefail

objdump=$1
bin=$2
allowed=" $(echo kernel32.dll user32.dll gdi32.dll gdiplus.dll msvcrt.dll shell32.dll ole32.dll oleaut32.dll \
  comdlg32.dll comctl32.dll teslib.dll framework.dll hook.dll) "
status=0
for binary in tes.exe TesLib.dll Framework.dll hook.dll; do
  imports=$("$objdump" -p "$bin/$binary" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$imports" ] || { echo "$binary: no imports read"; status=1; }
  for dll in $imports; do
    case "$allowed" in
      *" $dll "*) ;;
      *) echo "$binary imports $dll at load time, which may come from the program's folder"; status=1 ;;
    esac
  done
done
[ $status -eq 0 ] && echo "imports-test: ok"
exit $status
