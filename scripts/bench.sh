#!/usr/bin/env bash
# Builds the native tree and runs the benchmarks, each reporting against a
# floor or peer measured in the same run: the drawing, the start of one
# `varnok render` process against /bin/true, the station database
# against a plain read of the same files, the climate atlas against
# the same files written from memory, the map's nearest-station search
# against a scan of all stations, and `varnok classes` against cat of the
# two files it reads.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(bash "$here/scripts/build.sh" native)
echo "== drawing"
"$out/bench/bench_diagram"
echo "== one varnok render process"
"$out/bench/bench_startup" "$out/varnok" "$here/tests/golden/cherrapunji.cli" "${BENCH_RUNS:-200}"
echo "== station database"
db=$(mktemp -d)
trap 'rm -rf "$db"' EXIT
"$out/bench/bench_database" --generate 100000 "$db"
echo "== climate atlas"
"$out/bench/bench_atlas" --varnok "$out/varnok"
echo "== station map"
"$out/bench/bench_map" "$here/data/database"
echo "== climate classes"
"$out/bench/bench_classes" "$here/data/database" 30 "$out/varnok"
