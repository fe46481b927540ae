#!/usr/bin/env bash
# Checks varnok render as a user calls it: options, exit codes, messages,
# and that what it writes is well-formed SVG of the documented shape.
golden="$(cd "$(dirname "$0")/../golden" && pwd)"
source "$(dirname "$0")/cli_lib.sh"
render() { "$VARNOK" render "$@" > "$tmp/out" 2> "$tmp/err"; }
well_formed() { python3 -c 'import sys, xml.etree.ElementTree as e; e.parse(sys.argv[1])' "$1"; }
first_element() { python3 - "$1" <<'PY'
import sys, xml.dom.minidom as m
root = m.parse(sys.argv[1]).documentElement
first = [n for n in root.childNodes if n.nodeType == n.ELEMENT_NODE][0]
print(first.tagName, first.getAttribute("fill"), first.getAttribute("width"), first.getAttribute("height"))
PY
}

# The golden station through the tool gives the reviewed picture.
render "$golden/berlin.cli" -o "$tmp/berlin.svg"; rc=$?
check "diagram exits 0" test $rc -eq 0
check "diagram as reviewed" cmp -s "$tmp/berlin.svg" "$golden/berlin.svg"
check "diagram well-formed" well_formed "$tmp/berlin.svg"
check "white background first" test "$(first_element "$tmp/berlin.svg")" = "rect #ffffff 380 510"

render "$golden/buenos_aires.cli" --table -o "$tmp/table.svg"; rc=$?
check "table exits 0" test $rc -eq 0
check "table has the foot" grep -q '>Countrycode: 32</text>' "$tmp/table.svg"
check "table canvas" test "$(first_element "$tmp/table.svg")" = "rect #ffffff 932 388"
check "table southern heads" grep -q '>Jul  </text>' "$tmp/table.svg"

render "$golden/verkhoyansk.cli" --print 3 --char-width 20 --line-height 40 --mono --size 380x450 -o "$tmp/page.svg"; rc=$?
check "page exits 0" test $rc -eq 0
check "page well-formed" well_formed "$tmp/page.svg"
check "page canvas" test "$(first_element "$tmp/page.svg")" = "rect #ffffff 1420 1350"
# 8 of the temperature curve's 13 segments reach into the page; the rest lie below it.
check "page thick curve" test "$(grep -c 'stroke-width="2"' "$tmp/page.svg")" -eq 8
check "page no colour" bash -c "! grep -q -e '#ff0000' -e '#0000ff' '$tmp/page.svg'"

render "$golden/cherrapunji.cli" --month-labels --size 500x600 --axis-offset 150 -o "$tmp/labels.svg"; rc=$?
check "labels exit 0" test $rc -eq 0
check "month letters forced on" test "$(grep -c 'text-anchor="middle"' "$tmp/labels.svg")" -eq 12
check "dotted 100 mm line" grep -q '<line x1="50" y1="200.5" x2="450" y2="200.5" stroke="#000000" stroke-dasharray' "$tmp/labels.svg"

for bad in "--size 0x10" "--size 10" "--size 30000x10" "--axis-offset 60" "--axis-offset 25" "--print 7" \
           "--print 0" "--char-width 0" "--line-height x" "--frobnicate" "--size"; do
    render "$golden/berlin.cli" -o "$tmp/bad.svg" $bad; rc=$?
    check "refuses $bad" test $rc -eq 1
    check "says why for $bad" grep -q 'varnok render:' "$tmp/err"
done
check "nothing written for bad options" test ! -e "$tmp/bad.svg"

render "$golden/berlin.cli"; rc=$?
check "needs -o" test $rc -eq 1
render -o "$tmp/x.svg"; rc=$?
check "needs a station" test $rc -eq 1
render "$tmp/missing.cli" -o "$tmp/x.svg"; rc=$?
check "missing file exits 1" test $rc -eq 1
head -c 100 "$golden/berlin.cli" > "$tmp/short.cli"
render "$tmp/short.cli" -o "$tmp/x.svg"; rc=$?
check "short file exits 1" test $rc -eq 1
render "$golden/berlin.cli" -o "$tmp/no/such/dir/x.svg"; rc=$?
check "unwritable output exits 1" test $rc -eq 1
check "unwritable output message" grep -q 'could not write' "$tmp/err"

# A record of absurd values: NaN, infinities, huge numbers, no NUL in the
# texts, odd frost flags. It draws, and the SVG stays small and well-formed.
python3 - "$tmp/absurd.cli" <<'PY'
import struct, sys
b = bytearray(b"\xb0&<" * 220)
for off in range(196, 236, 4):
    struct.pack_into("<i", b, off, -2**31)
for k in range(6 * 14):
    struct.pack_into("<f", b, 236 + 4 * k, [float("nan"), float("inf"), -1e30, 3.4e38][k % 4])
for m in range(12):
    struct.pack_into("<i", b, 588 + 4 * m, [1, 2, 3, -1][m % 4])
struct.pack_into("<6i", b, 636, 1, 1, 1, 1, 1, 1)
open(sys.argv[1], "wb").write(b)
PY
for view in --diagram --table "--print 6"; do
    render "$tmp/absurd.cli" $view -o "$tmp/absurd.svg"; rc=$?
    check "absurd $view exits 0" test $rc -eq 0
    check "absurd $view well-formed" well_formed "$tmp/absurd.svg"
    check "absurd $view bounded" test "$(stat -c %s "$tmp/absurd.svg")" -lt 100000000
done

# The class line and the quiz.
golden=$(dirname "$0")/../golden
render "$golden/berlin.cli" --climate-class --hide-station -o "$tmp/quiz.svg"; rc=$?
check "class and quiz exit 0" test $rc -eq 0
check "class line drawn" grep -q 'Köppen–Geiger: Cfb (Temperate,' "$tmp/quiz.svg"
check "station hidden" bash -c "! grep -q 'BERLIN\|Germany\|13.24' '$tmp/quiz.svg'"
render "$golden/berlin.cli" --table --climate-class -o "$tmp/class_table.svg"
check "class line in the table" grep -q '>Köppen–Geiger: Cfb (Temperate, no dry season, warm summer)<' "$tmp/class_table.svg"

# The native tool starts light: it is linked whole, so no loader maps a
# shared library at its start.
if [ "$(uname -s)" = Linux ] && command -v readelf >/dev/null && ! readelf -d "$VARNOK" | grep -q 'asan\|ubsan'; then
    needed=$(readelf -d "$VARNOK" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort | tr '\n' ' ')
    check "no shared library is loaded ($needed)" test -z "$needed"
fi

finish "render"
