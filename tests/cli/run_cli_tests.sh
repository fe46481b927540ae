#!/usr/bin/env bash
# Checks the varnok tool as a user calls it: exit codes, messages, output.
source "$(dirname "$0")/cli_lib.sh"

# A 660-byte station file written by hand: name, latitude -33.55, a NaN.
python3 - "$tmp/st.cli" <<'PY'
import struct, sys
b = bytearray(660)
b[0:8] = b"SANTIAGO"
b[64:69] = b"85574"
b[128:133] = b"CHILE"
b[192] = ord("N"); b[194] = ord("E")
struct.pack_into("<f", b, 212, -33.55)
struct.pack_into("<f", b, 224, -70.40)
for i in range(1, 13):
    struct.pack_into("<f", b, 236 + 4 * i, 10.0 * i)
    struct.pack_into("<f", b, 292 + 4 * i, 1.0)
struct.pack_into("<I", b, 572, 0x7fc00000)
b[130:130] = b""
b[652:656] = struct.pack("<i", 5)
b[0x60] = 0xB0  # a degree sign inside station_number's spare bytes is not read
b[3] = ord("T")
open(sys.argv[1], "wb").write(b)
PY

out=$("$VARNOK" show "$tmp/st.cli"); rc=$?
check "show exits 0" test $rc -eq 0
check "show is JSON" python3 -c 'import json,sys; json.loads(sys.argv[1])' "$out"
field() { python3 -c 'import json,sys; print(json.dumps(json.loads(sys.argv[1])[sys.argv[2]]))' "$out" "$1"; }
check "name" test "$(field station_name)" = '"SANTIAGO"'
check "letters" test "$(field lat_hemisphere)$(field lon_hemisphere)" = '"S""W"'
check "annual precip" test "$(field annual_precip_mm)" = '780'
check "annual mean" test "$(field annual_mean_temp_c)" = '1'
check "NaN as null" test "$(field abs_min_c)" = 'null'
check "latitude shortest" test "$(field latitude)" = '-33.55'
check "diagram mode nonzero is 1" test "$(field diagram_mode)" = '1'
check "climate class" test "$(field climate_class)" = '"ET"'
check "14 precip slots" test "$(python3 -c 'import json,sys; print(len(json.loads(sys.argv[1])["precip_mm"]))' "$out")" = 14

head -c 100 "$tmp/st.cli" > "$tmp/short.cli"
"$VARNOK" show "$tmp/short.cli" > "$tmp/out" 2> "$tmp/err"; rc=$?
check "short file exits 1" test $rc -eq 1
check "short file message" grep -q "shorter than a station record" "$tmp/err"
check "short file prints nothing" test ! -s "$tmp/out"

"$VARNOK" show "$tmp/none.cli" 2> "$tmp/err"; rc=$?
check "missing file exits 1" test $rc -eq 1
check "missing file message" grep -q "could not be opened" "$tmp/err"

"$VARNOK" show 2> /dev/null; rc=$?
check "usage exits 1" test $rc -eq 1

# Windows-1252 text decodes to UTF-8.
python3 - "$tmp/st.cli" "$tmp/accent.cli" <<'PY'
import sys
b = bytearray(open(sys.argv[1], "rb").read())
b[128:136] = b"S\xc3O TOM\x80"; b[136] = 0
open(sys.argv[2], "wb").write(b)
PY
out=$("$VARNOK" show "$tmp/accent.cli")
check "cp1252 decoded" test "$(field country_name)" = '"S\u00c3O TOM\u20ac"'

finish "varnok tool"
