#!/usr/bin/env bash
# Builds Varnok32.exe and starts it under Wine in a copy of the bundled
# shipped database, so that the search dialog finds its stations at once.
# Uses the desktop's display when there is one, otherwise a virtual X
# display (Xvfb) whose number it prints.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
source scripts/wine_env.sh

bash scripts/setup.sh
kind=$(wine_build_kind)
out=$(bash scripts/build.sh "$kind")
loader=$(wine_loader "$kind")

work="$here/build/run"
mkdir -p "$work"
cp data/database/COUNTRY.DAT data/database/PRECIP.DAT data/database/TEMP.DAT "$work/"
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:57
  Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
  echo "run: no display; the program runs on the virtual display $DISPLAY" >&2
  echo "run: take a look with  DISPLAY=$DISPLAY import -window root shot.png" >&2
fi
cd "$work"
export WINELOADER="$loader"
exec "$loader" "$out/app/Varnok32.exe"
