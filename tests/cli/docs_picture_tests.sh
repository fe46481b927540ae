#!/usr/bin/env bash
# The README's picture is what the program draws today: drawn again, the
# SVG is byte for byte the one in docs/, and the PNG shows the same pixels.
source "$(dirname "$0")/cli_lib.sh"
docs="$(cd "$(dirname "$0")/../../docs" && pwd)"
VARNOK="$VARNOK" bash "$(dirname "$0")/../../scripts/docs_picture.sh" "$tmp" >/dev/null
check "the SVG is current (bash scripts/docs_picture.sh)" cmp -s "$tmp/climate-diagram.svg" "$docs/climate-diagram.svg"
differing=$(compare -metric AE "$tmp/climate-diagram.png" "$docs/climate-diagram.png" null: 2>&1)
check "the PNG is current: $differing pixels differ" test "$differing" = 0
check "the README shows the picture" grep -q 'docs/climate-diagram' "$(dirname "$0")/../../README.md"
finish docs_picture
