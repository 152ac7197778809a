#!/usr/bin/env bash
# The whole test suite on a fresh Debian 12 machine: installs what it needs,
# builds natively (tests, then ASan+UBSan, then the fuzzers, then benchmarks),
# cross-builds the Windows binaries with MinGW-w64 and runs their tests under
# Wine on a virtual display (with a PDF printer as the default printer, so
# printing is tested for real). Fails when any test fails.
# Usage: tools/test.sh            (FUZZ_SECONDS=60 by default)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build="$root/build"
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-60}

bash tools/install-deps.sh
bash tools/printer-setup.sh

echo "== native build and unit tests"
cmake -S . -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTES_BUILD_BENCH=ON
cmake --build "$build/native" -j "$jobs"
ctest --test-dir "$build/native" -j "$jobs" --output-on-failure

echo "== sanitizer build (clang, ASan+UBSan) and unit tests"
cmake -S . -B "$build/sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTES_SANITIZE=ON -DTES_BUILD_FUZZ=OFF
cmake --build "$build/sanitize" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$build/sanitize" -j "$jobs" --output-on-failure

echo "== fuzzers (clang, ASan+UBSan, optimised so that they run at speed)"
cmake -S . -B "$build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTES_SANITIZE=ON -DTES_BUILD_FUZZ=ON -DTES_BUILD_TESTS=OFF
cmake --build "$build/fuzz" -j "$jobs"
bash tools/run-fuzzers.sh "$build/fuzz" "$fuzz_seconds"

echo "== Windows build (MinGW-w64) and tests under Wine"
cmake -S . -B "$build/mingw" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build/mingw" -j "$jobs"
bash tools/wine-session.sh "$build/mingw" \
  ctest --test-dir "$build/mingw" --output-on-failure -LE "two-heads|dpi144"
echo "== Windows tests on two monitors (1280x800 primary, 1024x768 right of it)"
WINE_HEADS="1280x800 1024x768" bash tools/wine-session.sh "$build/mingw/two-heads" \
  ctest --test-dir "$build/mingw" --output-on-failure -L two-heads
echo "== Windows tests at 144 DPI (150 %)"
WINE_DPI=144 bash tools/wine-session.sh "$build/mingw/dpi144" \
  ctest --test-dir "$build/mingw" --output-on-failure -L dpi144

echo "== all tests passed"
