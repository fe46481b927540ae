#!/usr/bin/env bash
# Draws the README's picture: the climate diagram of Kabul (WMO 40948) from
# the shipped database, as the program draws it in its window, into
# OUTDIR (docs/ by default): climate-diagram.svg, and climate-diagram.png
# (by rsvg-convert, on white) for viewers that do not show SVG.
#
#   VARNOK=build/native/varnok bash scripts/docs_picture.sh [OUTDIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
varnok=${VARNOK:-$here/build/native/varnok}
out=${1:-$here/docs}
mkdir -p "$out"
station=$(mktemp --suffix=.cli)
trap 'rm -f "$station"' EXIT
"$varnok" import --wmo 40948 --db "$here/data/database" -o "$station" >/dev/null
"$varnok" render "$station" -o "$out/climate-diagram.svg"
rsvg-convert --background-color=white "$out/climate-diagram.svg" -o "$out/climate-diagram.png"
