#!/usr/bin/env bash
# Opens the climate atlas's index page in a real headless browser (Debian's
# chromium): the page's ?q= filter shows the expected stations, and a
# screenshot shows the page (left at $ATLAS_SCREENSHOT when set). Exits 77
# (skipped) with a message when no browser can start.
: "${SAMPLE_DB:?set SAMPLE_DB to the shipped database folder}"
source "$(dirname "$0")/cli_lib.sh"
browser=${CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}
if [ -z "$browser" ]; then
    echo "SKIP: no chromium installed (scripts/setup.sh installs it)"
    exit 77
fi

run_browser() {  # run_browser ARGS... URL: one fresh profile per run
    local profile
    profile=$(mktemp -d "$tmp/profile.XXXXXX")
    timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" "$@" 2>> "$tmp/browser.log"
}

"$VARNOK" atlas --db "$SAMPLE_DB" -o "$tmp/atlas" > /dev/null || { echo "FAIL: varnok atlas"; exit 1; }
page="file://$tmp/atlas/index.html"

if ! run_browser --dump-dom "$page" > "$tmp/all.html" || ! grep -q "<figure" "$tmp/all.html"; then
    echo "SKIP: chromium could not start or load the page:"
    tail -n 5 "$tmp/browser.log"
    exit 77
fi

# Which stations and countries the page shows after its script ran, against
# a reference filter written here: every word of the query is part of the
# station's name, country or number, ignoring case and accents, or its
# climate class code as typed.
shown_as_expected() {  # shown_as_expected DOM QUERY [NUMBER MUST BE SHOWN]...
    python3 - "$@" <<'PY'
import sys, unicodedata
from html.parser import HTMLParser
dom, query, must = open(sys.argv[1], encoding="utf-8").read(), sys.argv[2], sys.argv[3:]
fold = lambda t: "".join(c for c in unicodedata.normalize("NFD", t) if not unicodedata.combining(c)).lower()
class Dom(HTMLParser):
    def __init__(self):
        super().__init__()
        self.figures, self.sections = [], []
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "figure": self.figures.append((a["data-search"], "hidden" in a, a.get("data-class", "")))
        if tag == "section": self.sections.append("hidden" in a)
        if tag == "input" and a.get("id") == "q": self.value = a.get("value")
d = Dom()
d.feed(dom)
shown = {key.rsplit(" ", 1)[1] for key, hidden, _ in d.figures if not hidden}
expected = {key.rsplit(" ", 1)[1] for key, _, cls in d.figures if all(fold(w) in fold(key) or w == cls for w in query.split())}
assert shown == expected, f"{query!r}: shown {sorted(shown)}, expected {sorted(expected)}"
assert set(must) <= shown, f"{query!r}: {sorted(set(must) - shown)} not shown"
assert not must or len(shown) < len(d.figures), "nothing filtered"
assert (not shown) == all(d.sections), "a country shown without stations or hidden with them"
print(f"{query!r}: {len(shown)} of {len(d.figures)} stations shown")
PY
}

check "the page without a query shows every station" shown_as_expected "$tmp/all.html" ""
# query, then WMO numbers that must be among those shown ("-" for none)
while IFS='|' read -r query numbers; do
    encoded=$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$query")
    run_browser --dump-dom "$page?q=$encoded" > "$tmp/q.html"
    # shellcheck disable=SC2086
    check "?q=$query" shown_as_expected "$tmp/q.html" "$query" ${numbers/-/}
done <<'CASES'
santiago Pudahuel|85574
Chile|85406 85574 85577
85574|85574
cote d'ivoire|65578
TÜRKIYE|
nowhere at all|-
BWh|60525
BWh algeria|60525
bwh|-
CASES

# The class legend: one entry per class present with its count, and a
# class filter from the address (?class=) or from a click on an entry.
class_filtered() {  # class_filtered DOM CLASS: only that class shown, the legend as the figures say
    python3 - "$@" <<'PY'
import sys
from collections import Counter
from html.parser import HTMLParser
dom, chosen = open(sys.argv[1], encoding="utf-8").read(), sys.argv[2]
class Dom(HTMLParser):
    def __init__(self):
        super().__init__()
        self.figures, self.legend, self.n, self.pressed = [], {}, None, None
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "figure": self.figures.append((a.get("data-class", ""), "hidden" in a))
        if tag == "button" and "data-class" in a:
            self.button = a["data-class"]
            if a.get("aria-pressed") == "true": self.pressed = self.button
        self.n = tag == "span" and a.get("class") == "n"
    def handle_data(self, data):
        if self.n: self.legend[self.button] = int(data); self.n = False
d = Dom()
d.feed(dom)
assert d.legend == dict(Counter(c for c, _ in d.figures if c)), "legend counts differ from the stations"
shown = Counter(c for c, hidden in d.figures if not hidden)
if chosen:
    assert set(shown) == {chosen} and shown[chosen] == d.legend[chosen], f"shown {dict(shown)}"
    assert d.pressed == chosen, f"pressed {d.pressed}"
else:
    assert sum(shown.values()) == len(d.figures) and d.pressed is None, "filtered without a class"
print(f"class {chosen or '-'}: {sum(shown.values())} of {len(d.figures)} shown, {len(d.legend)} classes in the legend")
PY
}
run_browser --dump-dom "$page?class=BWh" > "$tmp/class.html"
check "?class=BWh" class_filtered "$tmp/class.html" BWh
run_browser --dump-dom "$page" > "$tmp/noclass.html"
check "legend without a class" class_filtered "$tmp/noclass.html" ""
# A click on the legend entry of ET, in the page loaded into a frame.
cat > "$tmp/atlas/click.html" <<'HTML'
<!DOCTYPE html><html><body><iframe id="f" src="index.html"></iframe><script>
document.getElementById("f").addEventListener("load", function () {
  var d = this.contentDocument;
  var w = this.contentWindow;
  d.querySelector('#legend button[data-class="ET"]').click();
  // Read after the page's observers have run.
  setTimeout(function () {
    document.body.setAttribute("data-address", w.location.search);
    var out = document.createElement("div");
    out.id = "result";
    out.textContent = d.documentElement.outerHTML;
    document.body.appendChild(out);
  }, 0);
});
</script></body></html>
HTML
run_browser --allow-file-access-from-files --virtual-time-budget=5000 --dump-dom "file://$tmp/atlas/click.html" > "$tmp/click_outer.html"
python3 - "$tmp/click_outer.html" "$tmp/click.html" <<'PY'
import sys, html, re
outer = open(sys.argv[1], encoding="utf-8").read()
m = re.search(r'<div id="result">(.*)</div>', outer, re.S)
open(sys.argv[2], "w", encoding="utf-8").write(html.unescape(m.group(1)) if m else "")
print(re.search(r'data-address="([^"]*)"', outer).group(1) if 'data-address' in outer else "", file=open(sys.argv[2] + ".address", "w"))
PY
check "a click on ET filters to ET" class_filtered "$tmp/click.html" ET
check "the click is kept in the address" grep -qx '?class=ET' "$tmp/click.html.address"

# A screenshot of a filtered page: a PNG of the window's size with the
# diagrams' red and blue curves in it.
shot=${ATLAS_SCREENSHOT:-$tmp/atlas.png}
# The page opens with the map: a window tall enough for the diagrams under it.
run_browser --window-size=1280,2200 --virtual-time-budget=5000 --screenshot="$shot" "$page?q=chile" > /dev/null
check "screenshot taken" test -s "$shot"
if command -v identify > /dev/null; then
    check "screenshot size" test "$(identify -format "%w %h" "$shot")" = "1280 2200"
    check "screenshot has the curves" python3 - "$shot" <<'PY'
import subprocess, sys
hist = subprocess.run(["convert", sys.argv[1], "-format", "%c", "histogram:info:-"], capture_output=True, text=True).stdout
colours = [line.split("#")[1][:6].lower() for line in hist.splitlines() if "#" in line]
assert any(c.startswith("ff0000") or c == "ff0000" for c in colours), "no red"
assert "0000ff" in colours, "no blue"
PY
fi

# The map: one dot per figure, each a link to its figure with the name in
# its <title>; the filter hides the dots of the figures it hides.
map_as_expected() {  # map_as_expected DOM: dots against figures
    python3 - "$1" <<'PY'
import sys
from html.parser import HTMLParser
class Dom(HTMLParser):
    def __init__(self):
        super().__init__()
        self.figures, self.dots, self.in_dot, self.titles = {}, [], False, []
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "figure": self.figures[a.get("id")] = "hidden" in a
        if tag == "a" and a.get("href", "").startswith("#s-"):
            self.dots.append((a["href"][1:], a.get("display") == "none"))
            self.in_dot = True
    def handle_endtag(self, tag):
        if tag == "a": self.in_dot = False
    def handle_data(self, data):
        if self.in_dot and data.strip(): self.titles.append(data)
d = Dom()
d.feed(open(sys.argv[1], encoding="utf-8").read())
assert len(d.dots) == len(d.figures) >= 2400, (len(d.dots), len(d.figures))
assert len(d.titles) == len(d.dots), "a dot without its title"
wrong = [t for t, hidden in d.dots if t not in d.figures or d.figures[t] != hidden]
assert not wrong, f"dots that do not follow their figures: {wrong[:5]}"
print(f"{sum(not h for _, h in d.dots)} of {len(d.dots)} dots shown")
PY
}
check "the map: a dot per figure, all shown" map_as_expected "$tmp/all.html"
run_browser --dump-dom "$page?q=chile" > "$tmp/chile.html"
check "the map: the filter hides the dots of hidden figures" map_as_expected "$tmp/chile.html"
check "the map: the class filter hides the dots of the other classes" map_as_expected "$tmp/class.html"
check "the map: the class filter's click hides them too" map_as_expected "$tmp/click.html"
check "the map: Chile's dots only" test "$(grep -o '<a href="#s-[^"]*"[^>]*>' "$tmp/chile.html" | grep -vc 'display="none"')" \
    = "$(grep -c '<figure id="s-152-' "$tmp/all.html")"

# A click on Berlin-Tempelhof's dot goes to its figure: a copy of the page
# whose added script clicks the link and notes where the page went.
python3 - "$tmp/atlas/index.html" "$tmp/atlas/click.html" <<'PY'
import sys
page = open(sys.argv[1], encoding="utf-8").read()
probe = """<script>
window.addEventListener("load", function () {
  var dot = document.querySelector('#map a[href="#s-276-10384"]');
  dot.dispatchEvent(new MouseEvent("click", {bubbles: true, cancelable: true, view: window}));
  setTimeout(function () {
    var box = document.getElementById("s-276-10384").getBoundingClientRect();
    document.body.setAttribute("data-probe", [location.hash, Math.round(window.scrollY),
        Math.round(box.top), window.innerHeight].join(" "));
  }, 500);
});
</script>
"""
open(sys.argv[2], "w", encoding="utf-8").write(page.replace("</body>", probe + "</body>"))
PY
run_browser --window-size=1280,1000 --virtual-time-budget=3000 --dump-dom "file://$tmp/atlas/click.html" > "$tmp/click.html"
check "a click on a dot scrolls to its figure" python3 - "$tmp/click.html" <<'PY'
import re, sys
probe = re.search(r'data-probe="([^"]*)"', open(sys.argv[1], encoding="utf-8").read()).group(1).split()
hash_, scroll, top, height = probe[0], int(probe[1]), int(probe[2]), int(probe[3])
assert hash_ == "#s-276-10384", probe
assert scroll > 1000 and 0 <= top < height, probe
print("went to", hash_, "scrolled", scroll, "figure at", top)
PY
map_shot=${ATLAS_MAP_SCREENSHOT:-$tmp/atlas_map.png}
run_browser --window-size=1280,1000 --virtual-time-budget=5000 --screenshot="$map_shot" "$page?q=brazil" > /dev/null
check "screenshot of the map taken" test -s "$map_shot"

finish "atlas page in a browser"
