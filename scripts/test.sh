#!/usr/bin/env bash
# Builds everything and runs every test:
#   1. native unit tests and command-line tests (CTest, GoogleTest);
#   2. the same unit tests built with AddressSanitizer and
#      UndefinedBehaviorSanitizer: any report fails the run;
#   3. the fuzz targets (clang, libFuzzer), each run for 60 seconds
#      (VARNOK_FUZZ_SECONDS): a crash, sanitizer report, leak or an input
#      slower than 1 second fails the run and is kept in fuzz/regressions/;
#   4. the Windows build (i686, static): the programs import only system DLLs;
#   5. the Windows unit tests under Wine;
#   6. the end-to-end tests of Varnok32.exe under Wine and Xvfb;
#   7. the release package and installer (scripts/package.sh) under Wine.
# Exit code 0 only when all of them pass.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
source scripts/wine_env.sh

bash scripts/setup.sh || { echo "test: set-up failed" >&2; exit 1; }

steps_passed=0
steps_failed=0
step() {  # step NAME COMMAND...
  local name=$1; shift
  echo "=== $name"
  if "$@"; then
    steps_passed=$((steps_passed + 1))
  else
    steps_failed=$((steps_failed + 1))
    echo "=== FAILED: $name"
  fi
}

run_ctest() {  # run_ctest BUILD_FOLDER [ENV...]
  local dir=$1; shift
  (cd "$dir" && env "$@" ctest --output-on-failure --timeout 900 -j2)
}

native_tests() {
  local out
  out=$(bash scripts/build.sh native) && run_ctest "$out"
}

sanitized_tests() {
  local out
  out=$(bash scripts/build.sh sanitize) &&
    run_ctest "$out" ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
      UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
}

fuzz_targets() {
  local out target failed=0
  out=$(bash scripts/build.sh fuzz) || return 1
  for target in station_file database manual_entry normals_table world_outline; do
    bash scripts/fuzz.sh "$target" "${VARNOK_FUZZ_SECONDS:-60}" "$out" || failed=1
  done
  return $failed
}

# A Windows .exe must run alone: only DLLs that every Windows has.
imports_only_system_dlls() {  # FILE...
  local f bad=0 dll
  for f in "$@"; do
    while read -r dll; do
      case "${dll,,}" in
        kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|comdlg32.dll|msvcrt.dll|advapi32.dll|shell32.dll|ole32.dll|winspool.drv) ;;
        *) echo "$(basename "$f") imports $dll"; bad=1 ;;
      esac
    done < <(objdump -p "$f" | awk '/DLL Name:/ {print $3}')
  done
  return $bad
}

windows_build() {
  local out
  out=$(bash scripts/build.sh windows) || return 1
  imports_only_system_dlls "$out/app/Varnok32.exe" "$out/varnok.exe"
}

windows_tests() {
  local kind out prefix
  kind=$(wine_build_kind)
  out=$(bash scripts/build.sh "$kind") || return 1
  prefix=$(mktemp -d "${TMPDIR:-/tmp}/varnok-wine.XXXXXX")
  echo "(Windows unit tests: $kind build under Wine)"
  run_ctest "$out" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  local rc=$?
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
  rm -rf "$prefix"
  return $rc
}

end_to_end_tests() {
  local kind out
  kind=$(wine_build_kind)
  out=$(bash scripts/build.sh "$kind") || return 1
  # The soak test allows each action 2 seconds (VARNOK_SOAK_LIMIT_MS).
  timeout 3600 bash tests/e2e/run_e2e.sh "$out"
}

release_tests() {
  timeout 1200 bash tests/e2e/release_test.sh
}

step "native unit tests" native_tests
step "sanitized unit tests" sanitized_tests
step "fuzz targets" fuzz_targets
step "Windows build (i686)" windows_build
step "Windows unit tests under Wine" windows_tests
step "end-to-end tests under Wine" end_to_end_tests
step "release package and installer under Wine" release_tests

echo "steps: $steps_passed passed, $steps_failed failed"
[ "$steps_failed" -eq 0 ]
