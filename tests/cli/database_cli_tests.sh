#!/usr/bin/env bash
# Checks the database commands of the varnok tool as a user calls them, on
# the shipped database and on a generated database of 100,000 stations.
: "${VARNOK_DBGEN:?set VARNOK_DBGEN to the varnok_dbgen executable}"
: "${SHIPPED_DB:?set SHIPPED_DB to the shipped database folder}"
source "$(dirname "$0")/cli_lib.sh"
field() {  # field FILE.cli NAME -> the JSON value of `varnok show`
    "$VARNOK" show "$1" | python3 -c 'import json,sys; print(json.dumps(json.load(sys.stdin)[sys.argv[1]]))' "$2"
}

# The country list, sorted as the list box sorts, then its count: every
# record of COUNTRY.DAT.
countries=$(($(wc -c < "$SHIPPED_DB/COUNTRY.DAT") / 79))
out=$("$VARNOK" countries --db "$SHIPPED_DB"); rc=$?
check "countries exits 0" test $rc -eq 0
check "countries count line" test "$(tail -n 1 <<<"$out")" = " Countries: $countries"
check "countries first" test "$(head -n 1 <<<"$out")" = "Afghanistan"
check "countries sorted" test "$(head -n "$countries" <<<"$out" | LC_ALL=C sort -f | head -n 1)" = "Afghanistan"
check "countries decoded" grep -qx "Côte d'Ivoire" <<<"$out"

# A station list: the name, a tab and the WMO number, as the dialog lists them.
out=$("$VARNOK" stations --country Chile --db "$SHIPPED_DB"); rc=$?
check "stations exits 0" test $rc -eq 0
check "stations of Chile" grep -qx "SANTIAGO PUDAHUEL	85574" <<<"$out"
check "stations count line" test "$(tail -n 1 <<<"$out")" = " Stations available: $(($(wc -l <<<"$out") - 1))"
check "stations with the list's blanks" test "$("$VARNOK" stations --country "Chile    " --db "$SHIPPED_DB" | tail -n 1)" = "$(tail -n 1 <<<"$out")"
out=$("$VARNOK" stations --country Sweden --db "$SHIPPED_DB")
check "same-named stations told apart" test "$(grep -c "^GUNNARN	0212[68]$" <<<"$out")" -eq 2
"$VARNOK" stations --country Atlantis --db "$SHIPPED_DB" > /dev/null 2> "$tmp/err"; rc=$?
check "unknown country exits 1" test $rc -eq 1
check "unknown country message" grep -q "no country 'Atlantis'" "$tmp/err"

check "find" test "$("$VARNOK" find --wmo 85574 --db "$SHIPPED_DB")" = "SANTIAGO PUDAHUEL"
check "find with leading zeros" test "$("$VARNOK" find --wmo 0040948 --db "$SHIPPED_DB")" = "KABUL"
"$VARNOK" find --wmo 1 --db "$SHIPPED_DB" > "$tmp/out" 2> "$tmp/err"; rc=$?
check "find nothing exits 1" test $rc -eq 1
check "find nothing message" grep -qx "varnok: WMO-stationnumber not found in database" "$tmp/err"
check "find nothing prints nothing" test ! -s "$tmp/out"

# Import: a southern station runs from July.
"$VARNOK" import --wmo 85574 -o "$tmp/santiago.cli" --db "$SHIPPED_DB" 2> "$tmp/err"; rc=$?
check "import exits 0" test $rc -eq 0
check "import is quiet" test ! -s "$tmp/err"
check "import writes a record" test "$(wc -c < "$tmp/santiago.cli")" -eq 660
check "import name" test "$(field "$tmp/santiago.cli" station_name)" = '"SANTIAGO PUDAHUEL       "'
check "import hemispheres" test "$(field "$tmp/santiago.cli" lat_hemisphere)$(field "$tmp/santiago.cli" lon_hemisphere)" = '"S""W"'
check "import July first" test "$(field "$tmp/santiago.cli" precip_mm | python3 -c 'import json,sys; print(json.load(sys.stdin)[1])')" = "38.9"
check "import extremes" test "$(field "$tmp/santiago.cli" abs_min_c)" = "-999"

"$VARNOK" import --name "CAIRO AIRPORT" -o "$tmp/cairo.cli" --db "$SHIPPED_DB" 2> "$tmp/err"; rc=$?
check "import without temperatures exits 0" test $rc -eq 0
check "import without temperatures says so" grep -qx "varnok: No temperature entry for this station in database!" "$tmp/err"
"$VARNOK" import --name "NOWHERE" -o "$tmp/none.cli" --db "$SHIPPED_DB" 2> "$tmp/err"; rc=$?
check "import of an unknown name: both messages" test "$(wc -l < "$tmp/err")" -eq 2
check "import of an unknown name keeps the name" test "$(field "$tmp/none.cli" station_name)" = '"NOWHERE                 "'

# From a station file: the presentation settings come along.
python3 - "$tmp/santiago.cli" "$tmp/table.cli" <<'PY'
import struct, sys
b = bytearray(open(sys.argv[1], "rb").read())
struct.pack_into("<ii", b, 652, 0, 1)
open(sys.argv[2], "wb").write(b)
PY
"$VARNOK" import --name KABUL --from "$tmp/table.cli" -o "$tmp/kabul.cli" --db "$SHIPPED_DB"
check "import from a file keeps the view" test "$(field "$tmp/kabul.cli" diagram_mode)$(field "$tmp/kabul.cli" month_labels)" = "01"
check "import from a file takes the station" test "$(field "$tmp/kabul.cli" station_name)" = '"KABUL                   "'

# Two stations of one name: each number imports its own station.
for n in 02126 02128; do
    "$VARNOK" import --wmo $n -o "$tmp/gunnarn$n.cli" --db "$SHIPPED_DB"
    check "import --wmo $n" test "$(field "$tmp/gunnarn$n.cli" station_number)" = "\"   $n\""
done
check "namesakes differ" test "$(field "$tmp/gunnarn02126.cli" precip_mm)" != "$(field "$tmp/gunnarn02128.cli" precip_mm)"
"$VARNOK" import --wmo 1 -o "$tmp/none1.cli" --db "$SHIPPED_DB" 2> "$tmp/err"; rc=$?
check "import of an unknown number exits 1" test $rc -eq 1
check "import of an unknown number says so" grep -qx "varnok: WMO-stationnumber not found in database" "$tmp/err"
check "import of an unknown number writes nothing" test ! -e "$tmp/none1.cli"

# Missing files, and files whose names differ in case.
mkdir "$tmp/empty"
"$VARNOK" countries --db "$tmp/empty" 2> "$tmp/err"; rc=$?
check "missing database exits 1" test $rc -eq 1
check "missing database message" grep -qx "varnok: Error: Datafile 'COUNTRY.DAT' could not be found!" "$tmp/err"
mkdir "$tmp/lower"
cp "$SHIPPED_DB/COUNTRY.DAT" "$tmp/lower/country.dat"
cp "$SHIPPED_DB/PRECIP.DAT" "$tmp/lower/precip.dat"
cp "$SHIPPED_DB/TEMP.DAT" "$tmp/lower/Temp.Dat"
check "lower-case names" test "$("$VARNOK" find --wmo 40948 --db "$tmp/lower")" = "KABUL"
"$VARNOK" import 2> /dev/null; rc=$?
check "import usage exits 1" test $rc -eq 1

# The README's generator command, into a folder that is not there yet,
# gives the committed files byte for byte and reports what it left out.
iso=/usr/share/iso-codes/json/iso_3166-1.json
if [ -f "$iso" ]; then
    "$VARNOK_DBGEN" table "$SHIPPED_DB/station-normals.csv" "$SHIPPED_DB/jma/normals.csv" \
        "$SHIPPED_DB/climat/normals.csv" -o "$tmp/regen/db" --countries "$iso" > "$tmp/regen.out"; rc=$?
    check "generator from three tables exits 0" test $rc -eq 0
    for f in COUNTRY.DAT PRECIP.DAT TEMP.DAT; do
        check "generator reproduces $f" cmp -s "$tmp/regen/db/$f" "$SHIPPED_DB/$f"
    done
    check "generator reports the screen" grep -q "^screen: 68032 MAUN" "$tmp/regen.out"
    check "generator reports a station left out" grep -q "^left out: 86097 PEDRO JUAN CABALLERO" "$tmp/regen.out"
fi
"$VARNOK_DBGEN" table "$tmp/none.csv" -o "$tmp/regen2" 2> "$tmp/err"; rc=$?
check "generator without its table exits 1" test $rc -eq 1

# The climate class of every station with both records, in PRECIP.DAT order.
"$VARNOK" classes --db "$SHIPPED_DB" > "$tmp/classes.txt"; rc=$?
check "classes exits 0" test $rc -eq 0
check "classes: Berlin" grep -qxP '10384\tBERLIN-TEMPELHOF\tGermany\tCfb' "$tmp/classes.txt"
check "classes: four fields a line" test "$(awk -F'\t' 'NF != 4' "$tmp/classes.txt" | wc -l)" -eq 0
check "classes: as many as the atlas draws" test "$(wc -l < "$tmp/classes.txt")" -eq 2439
"$VARNOK" classes --db "$tmp/nowhere" > /dev/null 2>&1; rc=$?
check "classes without a database exits 1" test $rc -eq 1
"$VARNOK" classes --bogus > /dev/null 2>&1; rc=$?
check "classes with an unknown option exits 1" test $rc -eq 1

# A generated database of 100,000 stations.
"$VARNOK_DBGEN" synthetic 100000 -o "$tmp" > /dev/null; rc=$?
check "generator exits 0" test $rc -eq 0
check "generated size" test "$(wc -c < "$tmp/PRECIP.DAT")" -eq 133800000
check "big countries" test "$("$VARNOK" countries --db "$tmp" | tail -n 1)" = " Countries: 200"
out=$("$VARNOK" stations --country "SYNTHETIA 017" --db "$tmp")
check "big station list" test "$(tail -n 1 <<<"$out")" = " Stations available: $(($(wc -l <<<"$out") - 1))"
check "big find" test "$("$VARNOK" find --wmo 199999 --db "$tmp")" = "STATION 0099999"
"$VARNOK" import --wmo 199999 -o "$tmp/last.cli" --db "$tmp"; rc=$?
check "big import" test $rc -eq 0 -a "$(field "$tmp/last.cli" station_name)" = '"STATION 0099999         "'

finish "varnok database commands"
