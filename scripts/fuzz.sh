#!/usr/bin/env bash
# Runs one fuzz target: scripts/fuzz.sh TARGET SECONDS [BUILD]
# TARGET is station_file, database, manual_entry, normals_table or world_outline. Builds
# build/fuzz when BUILD is not given, fuzzes from a copy of the seed corpus
# (fuzz/corpus/TARGET plus fuzz/regressions/TARGET) and fails on a crash, a
# sanitizer report, a leak, or an input slower than 1 second. A failing
# input is copied into fuzz/regressions/TARGET, where the unit tests replay
# it. The last line gives the executions and the final corpus size.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: fuzz.sh TARGET SECONDS [BUILD]}
seconds=${2:?usage: fuzz.sh TARGET SECONDS [BUILD]}
build=${3:-}
if [ -z "$build" ]; then
  build=$(JOBS=${JOBS:-2} bash "$here/scripts/build.sh" fuzz) || exit 1
fi
binary="$build/fuzz/fuzz_$target"
[ -x "$binary" ] || { echo "fuzz: no target $target in $build" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/varnok-fuzz-$target.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/artifacts" "$here/fuzz/regressions/$target"
cp "$here/fuzz/corpus/$target"/* "$here/fuzz/regressions/$target"/* "$work/corpus/" 2>/dev/null

ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  "$binary" "$work/corpus" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" >"$work/log" 2>&1
rc=$?
execs=$(awk '/stat::number_of_executed_units:/ {print $2}' "$work/log")
corpus=$(find "$work/corpus" -type f | wc -l)
found=$(find "$work/artifacts" -type f | wc -l)
if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then
  grep -E "ERROR|SUMMARY|runtime error|timeout|==[0-9]+==" "$work/log" | head -20
  for f in "$work/artifacts"/*; do
    [ -f "$f" ] && cp "$f" "$here/fuzz/regressions/$target/" && echo "kept $(basename "$f") in fuzz/regressions/$target"
  done
  echo "fuzz $target: FAILED after ${execs:-?} executions, corpus $corpus inputs"
  exit 1
fi
echo "fuzz $target: ${execs:-0} executions in $seconds s, corpus $corpus inputs, no findings"
