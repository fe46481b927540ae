#!/usr/bin/env bash
# The golden pictures draw the same pixels as the pictures they replaced
# (kept in tests/golden/pixels_before/): each old and new golden, its texts
# left out, rasterised by headless Chromium at 96 dpi with crisp edges,
# must be equal pixel for pixel. The files may differ in their bytes (dot
# columns as dashed lines, lines through pixel centres, cut at the canvas).
# One pixel is known to differ: where Cherrapunji's precipitation curve
# leaves the canvas, the old uncut line's edge passes exactly through a
# pixel centre and Chromium drew two pixels in row 3; the cut line has one,
# the pixel the window draws.
# The texts alone, their lines left out, stay within 1 px of where Chromium
# drew them before: nearly every dark pixel of either has a dark pixel of
# the other at most 1 px above or below it. Texts with runs of blanks are
# left out: Chromium collapsed those before.
# Exits 77 (skipped) where no browser can start.
golden="$(cd "$(dirname "$0")/../golden" && pwd)"
VARNOK=${VARNOK:-unused}
source "$(dirname "$0")/cli_lib.sh"
browser=${CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}
[ -n "$browser" ] || { echo "SKIP: no chromium installed"; exit 77; }

# One page with every picture of a folder stacked, texts left out (or with
# "texts", the texts alone); prints the page's width and height, then each
# picture's name and top.
stack_page() {  # stack_page FOLDER PAGE [texts]
    python3 - "$@" <<'PY'
import re, sys, os, glob, base64
folder, page = sys.argv[1], sys.argv[2]
texts = sys.argv[3:] == ["texts"]
names = sorted(os.path.basename(p) for p in glob.glob(os.path.join(sys.argv[0] == "-" and folder or folder, "*.svg")))
y, width, parts, tops = 0, 0, [], []
for name in names:
    svg = open(os.path.join(folder, name), encoding="utf-8").read()
    if texts:  # and not those with runs of blanks, which Chromium used to collapse
        svg = re.sub(r"<(line|rect|path)[^>]*/>\n?", "", svg)
        svg = re.sub(r"<text[^>]*>[^<]*  [^<]*</text>\n?", "", svg)
    else:
        svg = re.sub(r"<text[^>]*>.*?</text>\n?", "", svg, flags=re.S)
    w = int(re.search(r'<svg[^>]* width="(\d+)"', svg).group(1))
    h = int(re.search(r'<svg[^>]* height="(\d+)"', svg).group(1))
    data = base64.b64encode(svg.encode()).decode()
    parts.append(f'<img style="position:absolute;left:0;top:{y}px" width="{w}" height="{h}" '
                 f'src="data:image/svg+xml;base64,{data}">')
    tops.append(f"{name}:{y}")
    y, width = y + h, max(width, w)
open(page, "w").write('<!DOCTYPE html><html><body style="margin:0;background:#fff">' + "".join(parts) + "</body></html>")
print(width, y, *tops)
PY
}

shoot() {  # shoot PAGE WIDTH HEIGHT PNG
    local profile
    profile=$(mktemp -d "$tmp/profile.XXXXXX")
    timeout 120 "$browser" --headless --no-sandbox --disable-gpu --no-first-run --hide-scrollbars \
        --force-device-scale-factor=1 --disable-background-networking --disable-component-update \
        --user-data-dir="$profile" --window-size="$2,$3" --screenshot="$4" "file://$1" 2>> "$tmp/browser.log"
}

mkdir -p "$tmp/now"
for f in "$golden"/pixels_before/*.svg; do cp "$golden/$(basename "$f")" "$tmp/now/"; done
read -r w h tops < <(stack_page "$golden/pixels_before" "$tmp/before.html")
read -r w2 h2 tops2 < <(stack_page "$tmp/now" "$tmp/now.html")
check "same canvases" test "$w $h $tops" = "$w2 $h2 $tops2"
if ! shoot "$tmp/before.html" "$w" "$h" "$tmp/before.png" || [ ! -s "$tmp/before.png" ]; then
    echo "SKIP: chromium could not start:"; tail -n 5 "$tmp/browser.log"; exit 77
fi
shoot "$tmp/now.html" "$w" "$h" "$tmp/now.png"
# The differing pixels as NAME:X,Y, each in its own picture's coordinates.
differing=$(convert "$tmp/before.png" "$tmp/now.png" -compose difference -composite -threshold 0 txt:- |
    awk -F'[,: ]+' 'NR > 1 && $0 !~ /#000000/ {print $1, $2}' |
    while read -r x y; do
        name=; top=0
        for t in $tops; do [ "${t#*:}" -le "$y" ] && { name=${t%%:*}; top=${t#*:}; }; done
        echo "$name:$x,$((y - top))"
    done | tr '\n' ' ')
check "every golden's pixels as before (differing: ${differing:-none})" test "$differing" = "cherrapunji.svg:260,3 "
check "the pictures were drawn" test "$(convert "$tmp/now.png" -format '%[fx:mean<0.99]' info:)" = 1
stack_page "$golden/pixels_before" "$tmp/before_texts.html" texts > /dev/null
stack_page "$tmp/now" "$tmp/now_texts.html" texts > /dev/null
shoot "$tmp/before_texts.html" "$w" "$h" "$tmp/before_texts.png"
shoot "$tmp/now_texts.html" "$w" "$h" "$tmp/now_texts.png"
unmatched=$(python3 - "$tmp/before_texts.png" "$tmp/now_texts.png" "$w" "$h" <<'PY'
import subprocess, sys
w, h = int(sys.argv[3]), int(sys.argv[4])
gray = lambda p: subprocess.run(["convert", p, "-colorspace", "gray", "-depth", "8", "gray:-"],
                                capture_output=True, check=True).stdout
a, b = gray(sys.argv[1]), gray(sys.argv[2])
def unmatched(p, q):  # dark pixels of p without a dark pixel of q at most 1 px above or below
    dark = [i for i in range(w * h) if p[i] < 128]
    miss = sum(1 for i in dark if not any(0 <= i + d * w < w * h and q[i + d * w] < 128 for d in (-1, 0, 1)))
    return miss, len(dark)
(m1, n1), (m2, n2) = unmatched(a, b), unmatched(b, a)
print(f"{100.0 * max(m1 / max(n1, 1), m2 / max(n2, 1)):.2f}")
PY
)
echo "texts: $unmatched % of their pixels more than 1 px from where they were"
check "the texts within 1 px of where they were ($unmatched % of their pixels not)" \
    python3 -c "import sys; sys.exit(float(sys.argv[1]) > 1.0)" "$unmatched"

# GOLDEN_PIXELS_DIFF=FOLDER keeps both rasters for a look.
if [ -n "${GOLDEN_PIXELS_DIFF:-}" ]; then cp "$tmp/before_texts.png" "$tmp/now_texts.png" "$GOLDEN_PIXELS_DIFF/"; fi
if [ -n "${GOLDEN_PIXELS_DIFF:-}" ]; then cp "$tmp/before.png" "$tmp/now.png" "$GOLDEN_PIXELS_DIFF/"; fi
finish golden_pixels
