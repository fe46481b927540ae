#!/usr/bin/env bash
# Checks `varnok map` as a user calls it: the shipped database as a
# well-formed SVG with one dot per station with both records, where its
# latitude and longitude put it, over land; sizes; a database without
# WORLD.DAT; failures.
: "${SAMPLE_DB:?set SAMPLE_DB to the shipped database folder}"
source "$(dirname "$0")/cli_lib.sh"

"$VARNOK" map --db "$SAMPLE_DB" -o "$tmp/map.svg" 2> "$tmp/err"; rc=$?
check "map exits 0" test $rc -eq 0
check "map: nothing on stderr" test ! -s "$tmp/err"
check "map is well-formed XML" xmllint --noout "$tmp/map.svg"
# The stations with both records, paired as the import pairs them (the
# record of the same number and name, by name alone when no TEMP.DAT
# record has the number), and their pixels in the start view.
check "one dot per station with both records, at its position, and land" python3 - "$SAMPLE_DB" "$tmp/map.svg" <<'PY'
import sys, xml.etree.ElementTree as ET
def records(name):
    d = open(f"{sys.argv[1]}/{name}", "rb").read()
    return [d[i:i + 1338] for i in range(0, len(d) - 1337, 1338)]
def number(r):
    digits = r[4:36].strip().split(b" ")[0]
    return int(digits) if digits.isdigit() else 0
name = lambda r: r[12:36].split(b"\0")[0]
def degrees(field, minutes):
    value = abs(int(field.replace(b".", b"").strip() or 0)) + int(minutes) / 60
    return -value if b"-" in field else value
temp = records("TEMP.DAT")
by_number = {}
for t in temp:
    by_number.setdefault(number(t), []).append(t)
expected = []
for p in records("PRECIP.DAT"):
    pool = by_number.get(number(p)) or [t for t in temp if name(t) == name(p)]
    if any(name(t) == name(p) for t in pool):
        lat, lon = degrees(p[38:42], p[42:44]), degrees(p[45:50], p[50:52])
        expected.append((round((lon + 180) / 360 * 1440), round((90 - lat) / 180 * 720)))
ns = "{http://www.w3.org/2000/svg}"
root = ET.parse(sys.argv[2]).getroot()
assert (root.get("width"), root.get("height")) == ("1440", "720"), "default size"
# Drawn from the last station to the first, so the first is on top.
dots = [(int(c.get("cx")), int(c.get("cy"))) for c in root.iter(ns + "circle")][::-1]
assert len(dots) == len(expected) >= 2400, (len(dots), len(expected))
off = [(d, e) for d, e in zip(dots, expected) if abs(d[0] - e[0]) > 1 or abs(d[1] - e[1]) > 1]
assert not off, off[:3]
paths = [p for p in root.iter(ns + "path") if p.get("fill") != "#ffffff"]
assert len(paths) == 1 and paths[0].get("d").count("M") > 1000, "the land: one path of many rings"
PY

"$VARNOK" map --db "$SAMPLE_DB" -o "$tmp/big.svg" --size 20000x10000; rc=$?
check "the largest size" test $rc -eq 0 -a "$(grep -c '<circle' "$tmp/big.svg")" -ge 2400
for bad in 20001x100 100x10001 0x100 100x x100 12 -5x5 1e3x100; do
  "$VARNOK" map --db "$SAMPLE_DB" -o "$tmp/bad.svg" --size "$bad" 2> "$tmp/err"; rc=$?
  check "--size $bad refused" test $rc -eq 1 -a ! -e "$tmp/bad.svg"
done
"$VARNOK" map --db "$SAMPLE_DB" 2> "$tmp/err"; rc=$?
check "no -o refused" test $rc -eq 1
"$VARNOK" map --db "$SAMPLE_DB" -o "$tmp/x.svg" --bogus 2> "$tmp/err"; rc=$?
check "unknown option refused" test $rc -eq 1

mkdir -p "$tmp/noworld" "$tmp/empty"
cp "$SAMPLE_DB"/COUNTRY.DAT "$SAMPLE_DB"/PRECIP.DAT "$SAMPLE_DB"/TEMP.DAT "$tmp/noworld/"
"$VARNOK" map --db "$tmp/noworld" -o "$tmp/bare.svg" 2> "$tmp/err"; rc=$?
check "without WORLD.DAT: the stations, no land" test $rc -eq 0 -a "$(grep -c '<circle' "$tmp/bare.svg")" = "$(grep -c '<circle' "$tmp/map.svg")" \
  -a "$(grep -c '<path' "$tmp/bare.svg")" = 1
check "without WORLD.DAT: said on stderr" grep -q "WORLD.DAT could not be opened. The map shows no land." "$tmp/err"
printf 'VKWO\1\0\0\0' > "$tmp/noworld/WORLD.DAT"
"$VARNOK" map --db "$tmp/noworld" -o "$tmp/bare.svg" 2> "$tmp/err"; rc=$?
check "a broken WORLD.DAT: no land, named" test $rc -eq 0 -a -n "$(grep 'WORLD.DAT is not a world outline file' "$tmp/err")"
"$VARNOK" map --db "$tmp/empty" -o "$tmp/none.svg" 2> "$tmp/err"; rc=$?
check "no database refused" test $rc -eq 1 -a ! -e "$tmp/none.svg"

finish map_cli
