#!/usr/bin/env bash
# Checks `varnok atlas` as a user calls it: the shipped database drawn to one
# SVG per station with both records, counted against the files; the same
# picture as an import and a render; the index page and its escaping; names
# that cannot be files; failures.
: "${SAMPLE_DB:?set SAMPLE_DB to the shipped database folder}"
source "$(dirname "$0")/cli_lib.sh"
here=$(cd "$(dirname "$0")" && pwd)

# The stations with both records, read from the files here: PRECIP.DAT
# records paired with the TEMP.DAT record of the same number and name (by
# name alone when no TEMP.DAT record has the number), one file per country
# code and number.
expected_files() {  # expected_files DB -> "code/number.svg" lines, sorted
    python3 - "$1" <<'PY'
import sys
def records(name):
    d = open(f"{sys.argv[1]}/{name}", "rb").read()
    return [d[i:i + 1338] for i in range(0, len(d) - 1337, 1338)]
def number(r):
    digits = r[4:36].strip().split(b" ")[0]
    return int(digits) if digits.isdigit() else 0
name = lambda r: r[12:36].split(b"\0")[0]
temp = records("TEMP.DAT")
files = set()
for p in records("PRECIP.DAT"):
    same_number = [t for t in temp if number(t) == number(p)]
    pool = same_number or [t for t in temp if name(t) == name(p)]
    if any(name(t) == name(p) for t in pool):
        files.add(f"{p[0:3].decode().strip()}/{p[4:12].decode().strip()}.svg")
print("\n".join(sorted(files)))
PY
}

# --- The shipped database -------------------------------------------------
"$VARNOK" atlas --db "$SAMPLE_DB" -o "$tmp/atlas" > "$tmp/out" 2> "$tmp/err"; rc=$?
check "atlas exits 0" test $rc -eq 0
check "atlas: no progress when stderr is no terminal" test ! -s "$tmp/err"
expected_files "$SAMPLE_DB" > "$tmp/expected"
(cd "$tmp/atlas" && find . -name '*.svg' | sed 's|^\./||' | sort) > "$tmp/drawn"
check "one SVG per station with both records" cmp -s "$tmp/expected" "$tmp/drawn"
count=$(wc -l < "$tmp/expected")
check "at least 200 stations drawn" test "$count" -ge 200
# Each column of arid dots is one element: the whole atlas stays small.
bytes=$(du -sb "$tmp/atlas" | cut -f1)
check "the atlas takes at most 40 MB ($bytes bytes)" test "$bytes" -le 40000000
read -r summary < "$tmp/out"
check "summary counts the files" grep -q "^varnok atlas: $count stations drawn in [0-9]* countries, [0-9]* skipped" <<<"$summary"
check "summary says why" grep -q "without temperatures" <<<"$summary"
check "every SVG and the page parse" python3 - "$tmp/atlas" <<'PY'
import glob, sys, xml.etree.ElementTree as ET
for path in glob.glob(sys.argv[1] + "/*/*.svg"):
    root = ET.parse(path).getroot()
    assert root.tag.endswith("svg") and root.get("width") == "380" and root.get("height") == "510", path
PY
check "the page shows each SVG once" python3 - "$tmp/atlas" "$tmp/drawn" <<'PY'
import re, sys
page = open(sys.argv[1] + "/index.html", encoding="utf-8").read()
shown = sorted(re.findall(r'<img data-src="([^"]+)"', page))
assert shown == open(sys.argv[2]).read().split(), "images differ from the files"
assert not re.search(r'<(script|link|img|iframe)[^>]+(src|href)="(https?:)?//', page), "an external request"
assert "?q=" in page and 'id="q"' in page
PY

# The picture is what an import and a render of that station give.
for wmo in 10384 85574 40948; do
    svg=$(cd "$tmp/atlas" && ls -- */"$wmo.svg" 2>/dev/null | head -n 1)
    "$VARNOK" import --wmo "$wmo" -o "$tmp/$wmo.cli" --db "$SAMPLE_DB" 2> /dev/null
    "$VARNOK" render "$tmp/$wmo.cli" -o "$tmp/$wmo.svg" --diagram
    check "station $wmo drawn as imported and rendered" cmp -s "$tmp/atlas/$svg" "$tmp/$wmo.svg"
done

# Run again into the same folder: the files are replaced, the result the same.
cp -r "$tmp/atlas" "$tmp/atlas_before"
"$VARNOK" atlas --db "$SAMPLE_DB" -o "$tmp/atlas" > /dev/null 2>&1; rc=$?
check "second run exits 0" test $rc -eq 0
check "second run writes the same" diff -r -q "$tmp/atlas_before" "$tmp/atlas"

# Data tables instead of diagrams.
"$VARNOK" atlas --db "$SAMPLE_DB" -o "$tmp/tables" --table > /dev/null; rc=$?
check "tables exit 0" test $rc -eq 0
"$VARNOK" render "$tmp/85574.cli" -o "$tmp/85574_table.svg" --table
check "a table as render --table draws it" cmp -s "$tmp/tables/152/85574.svg" "$tmp/85574_table.svg"
check "the page sizes the tables" grep -q 'width="932" height="388" alt="Data table of' "$tmp/tables/index.html"

# Progress: one updating line while stderr is a terminal, cleared at the end.
if command -v script > /dev/null; then
    script -qec "\"$VARNOK\" atlas --db \"$SAMPLE_DB\" -o \"$tmp/tty\" > /dev/null" /dev/null > "$tmp/tty.log"
    records=$(( $(wc -c < "$SAMPLE_DB/PRECIP.DAT") / 1338 ))
    check "progress on a terminal" grep -q $'\r'"varnok atlas: $records of $records stations" "$tmp/tty.log"
    check "progress line cleared" test "$(tail -c 1 "$tmp/tty.log" | od -An -c | tr -d ' ')" = '\r'
fi

# --- A small database with names that need care -----------------------------
cat > "$tmp/contents.json" <<'JSON'
{"countries": [["001", "Côte & <Country>"], ["002", "Plainland"]],
 "precip": [
  {"code": "001", "number": "00101", "name": "A<B & \"C\" 'D'", "values": [10,20,30,40,50,60,70,80,90,100,110,120]},
  {"code": "002", "number": "202", "name": "TWIN", "values": [1,1,1,1,1,1,1,1,1,1,1,1]},
  {"code": "002", "number": "203", "name": "TWIN", "values": [9,9,9,9,9,9,9,9,9,9,9,9]},
  {"code": "002", "number": "../x", "name": "ESCAPER", "values": [1,1,1,1,1,1,1,1,1,1,1,1]},
  {"code": "..", "number": "777", "name": "FOLDER", "values": [1,1,1,1,1,1,1,1,1,1,1,1]},
  {"code": "002", "number": "202", "name": "TWIN", "values": [5,5,5,5,5,5,5,5,5,5,5,5]},
  {"code": "002", "number": "CON", "name": "DEVICE", "values": [1,1,1,1,1,1,1,1,1,1,1,1]},
  {"code": "002", "number": "404", "name": "DRY ONLY", "values": [1,1,1,1,1,1,1,1,1,1,1,1]}],
 "temp": [
  {"code": "001", "number": "00101", "name": "A<B & \"C\" 'D'", "values": [1,2,3,4,5,6,7,8,9,10,11,12]},
  {"code": "002", "number": "203", "name": "TWIN", "values": [20,20,20,20,20,20,20,20,20,20,20,20]},
  {"code": "002", "number": "202", "name": "TWIN", "values": [-5,-5,-5,-5,-5,-5,-5,-5,-5,-5,-5,-5]},
  {"code": "002", "number": "../x", "name": "ESCAPER", "values": [1,1,1,1,1,1,1,1,1,1,1,1]},
  {"code": "..", "number": "777", "name": "FOLDER", "values": [1,1,1,1,1,1,1,1,1,1,1,1]},
  {"code": "002", "number": "CON", "name": "DEVICE", "values": [1,1,1,1,1,1,1,1,1,1,1,1]},
  {"code": "002", "number": "505", "name": "WET ONLY", "values": [1,1,1,1,1,1,1,1,1,1,1,1]}]}
JSON
python3 "$here/make_database.py" "$tmp/small" "$tmp/contents.json"
"$VARNOK" atlas --db "$tmp/small" -o "$tmp/out small/atlas" > "$tmp/out" 2> "$tmp/err"; rc=$?
check "small atlas exits 0" test $rc -eq 0
check "small atlas summary" test "$(cat "$tmp/out")" = "varnok atlas: 3 stations drawn in 2 countries, 6 skipped: 1 without temperatures, 1 without precipitation, 2 without a WMO number usable as a file name, 1 without a country code usable as a folder name, 1 with a country and WMO number drawn before"
(cd "$tmp/out small" && find . -type f | sort) > "$tmp/small_files"
check "nothing outside the atlas, no odd names" test "$(cat "$tmp/small_files")" = "./atlas/001/00101.svg
./atlas/002/202.svg
./atlas/002/203.svg
./atlas/index.html"
check "stations of the same name keep their own numbers" python3 - "$tmp/out small/atlas" <<'PY'
import sys
a = open(sys.argv[1] + "/002/202.svg", encoding="utf-8").read()
b = open(sys.argv[1] + "/002/203.svg", encoding="utf-8").read()
assert "-5.0" in a and "+20.0" in b and "-5.0" not in b, "temperatures of the other station"
PY
check "names escaped in the page" python3 - "$tmp/out small/atlas/index.html" <<'PY'
import sys
from html.parser import HTMLParser
page = open(sys.argv[1], encoding="utf-8").read()
name, country = "A<B & \"C\" 'D'", "Côte & <Country>"
assert "A&lt;B &amp; &quot;C&quot; &#39;D&#39;" in page
assert "Côte &amp; &lt;Country&gt;" in page
assert "<B" not in page and "<Country>" not in page
class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.figures, self.caption, self.texts, self.headings, self.in_h2 = [], False, [], [], False
    def handle_starttag(self, tag, attrs):
        if tag == "figure": self.figures.append(dict(attrs)["data-search"])
        if tag == "img": self.figures.append(dict(attrs)["alt"])
        self.caption = self.caption or tag == "figcaption"
        self.in_h2 = tag == "h2"
    def handle_endtag(self, tag):
        if tag == "figcaption": self.caption = False
        if tag == "h2": self.in_h2 = False
    def handle_data(self, data):
        if self.caption: self.texts.append(data)
        if self.in_h2: self.headings.append(data)
p = Page()
p.feed(page)
assert f"{name} {country} 00101" in p.figures, p.figures
assert f"Climate diagram of {name}, {country}" in p.figures
assert name + " " in p.texts, p.texts
assert country in p.headings, p.headings
PY
check "names escaped in the SVG" python3 - "$tmp/out small/atlas/001/00101.svg" <<'PY'
import sys, xml.etree.ElementTree as ET
texts = [t.text or "" for t in ET.parse(sys.argv[1]).getroot().iter() if t.tag.endswith("text")]
assert any("A<B & \"C\" 'D'" in t for t in texts), texts
PY

# --- Failures ---------------------------------------------------------------
"$VARNOK" atlas --db "$SAMPLE_DB" > /dev/null 2> "$tmp/err"; rc=$?
check "no -o exits 1" test $rc -eq 1
check "no -o says so" grep -q "no output folder" "$tmp/err"
"$VARNOK" atlas --db "$SAMPLE_DB" -o "$tmp/x" --pdf > /dev/null 2> "$tmp/err"; rc=$?
check "unknown option exits 1" test $rc -eq 1
mkdir "$tmp/empty"
"$VARNOK" atlas --db "$tmp/empty" -o "$tmp/x" > /dev/null 2> "$tmp/err"; rc=$?
check "missing database exits 1" test $rc -eq 1
check "missing database message" grep -qx "varnok: Error: Datafile 'COUNTRY.DAT' could not be found!" "$tmp/err"
touch "$tmp/a_file"
"$VARNOK" atlas --db "$SAMPLE_DB" -o "$tmp/a_file" > /dev/null 2> "$tmp/err"; rc=$?
check "output folder that is a file exits 1" test $rc -eq 1
check "output folder message" grep -q "could not be created" "$tmp/err"
mkdir -p "$tmp/blocked/001/00101.svg"  # a folder where the picture goes
"$VARNOK" atlas --db "$tmp/small" -o "$tmp/blocked" > "$tmp/out" 2> "$tmp/err"; rc=$?
check "a file not written exits 1" test $rc -eq 1
check "a file not written is named" grep -q "could not write .*/001/00101.svg" "$tmp/err"
check "a file not written is counted" grep -q "2 stations drawn.* 1 not written" "$tmp/out"

finish "varnok atlas"
