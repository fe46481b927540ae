#!/usr/bin/env bash
# Builds the project: `native` (Linux: core, varnok tool, unit tests,
# benchmarks), `sanitize` (native with AddressSanitizer and
# UndefinedBehaviorSanitizer), `windows` (MinGW-w64 i686: Varnok32.exe,
# varnok.exe, unit tests, test driver) or `windows64` (the same for x86-64,
# for Wine on machines that cannot run 32-bit code) or `fuzz` (clang,
# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer: the fuzz
# targets in fuzz/). Build folders: build/<kind>.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-native}
jobs=${JOBS:-$(nproc)}
out="$here/build/$kind"

case "$kind" in
  native)   cmake -S "$here" -B "$out" -DCMAKE_BUILD_TYPE=Release >/dev/null ;;
  sanitize) cmake -S "$here" -B "$out" -DCMAKE_BUILD_TYPE=Debug -DVARNOK_SANITIZE=ON >/dev/null ;;
  windows)  cmake -S "$here" -B "$out" -DCMAKE_BUILD_TYPE=Release \
                  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-mingw-i686.cmake" >/dev/null ;;
  windows64) cmake -S "$here" -B "$out" -DCMAKE_BUILD_TYPE=Release \
                  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-mingw-x86_64.cmake" >/dev/null ;;
  fuzz)     cmake -S "$here" -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOK_FUZZ=ON -DVARNOK_TESTS=OFF \
                  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null ;;
  *) echo "usage: build.sh [native|sanitize|windows|windows64|fuzz]" >&2; exit 2 ;;
esac
cmake --build "$out" -j "$jobs" -- --no-print-directory >/dev/null
echo "$out"
