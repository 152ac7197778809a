#!/usr/bin/env bash
# Makes the Windows package: a zip with exactly tes.exe, TesLib.dll,
# Framework.dll, hook.dll and snap.wav, ready to unpack and run (the MinGW
# runtime is linked statically). Builds what is missing first.
#
#   bash tools/package.sh [OUTPUT.zip]     (default build/tes-windows.zip)
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
build_dir=$(realpath -m "${BUILD_DIR:-build/mingw}")
output=$(realpath -m "${1:-build/tes-windows.zip}")
files=(tes.exe TesLib.dll Framework.dll hook.dll snap.wav)

command -v zip >/dev/null 2>&1 || bash tools/install-deps.sh
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
fi
cmake --build "$build_dir" --target tes -j"$(nproc)"

# No MinGW runtime DLL may be needed beside the program.
for f in tes.exe TesLib.dll Framework.dll hook.dll; do
  if x86_64-w64-mingw32-objdump -p "$build_dir/bin/$f" | grep -qiE 'DLL Name: (libstdc\+\+|libgcc|libwinpthread)'; then
    echo "package: $f needs a MinGW runtime DLL" >&2
    exit 1
  fi
done

rm -f "$output"
mkdir -p "$(dirname "$output")"
(cd "$build_dir/bin" && zip -q -X "$output" "${files[@]}")
echo "package: $output"
unzip -l "$output"
