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
# Exits 77 (skipped) where no browser can start.
golden="$(cd "$(dirname "$0")/../golden" && pwd)"
VARNOK=${VARNOK:-unused}
source "$(dirname "$0")/cli_lib.sh"
browser=${CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}
[ -n "$browser" ] || { echo "SKIP: no chromium installed"; exit 77; }

# One page with every picture of a folder stacked, texts left out; prints
# the page's width and height, then each picture's name and top.
stack_page() {  # stack_page FOLDER PAGE
    python3 - "$@" <<'PY'
import re, sys, os, glob, base64
folder, page = sys.argv[1], sys.argv[2]
names = sorted(os.path.basename(p) for p in glob.glob(os.path.join(sys.argv[0] == "-" and folder or folder, "*.svg")))
y, width, parts, tops = 0, 0, [], []
for name in names:
    svg = open(os.path.join(folder, name), encoding="utf-8").read()
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
# GOLDEN_PIXELS_DIFF=FOLDER keeps both rasters for a look.
if [ -n "${GOLDEN_PIXELS_DIFF:-}" ]; then cp "$tmp/before.png" "$tmp/now.png" "$GOLDEN_PIXELS_DIFF/"; fi
finish golden_pixels
