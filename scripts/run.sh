#!/usr/bin/env bash
# Builds Varnok32.exe and starts it under Wine in a copy of the bundled
# shipped database, so that the search dialog finds its stations at once.
# Uses the desktop's display when there is one, otherwise a virtual X
# display (Xvfb) on the first free display number, which it prints and
# stops when the program ends.
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
cp data/database/COUNTRY.DAT data/database/PRECIP.DAT data/database/TEMP.DAT data/database/WORLD.DAT "$work/"
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=
stop_xvfb() { if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi; }
if [ -z "${DISPLAY:-}" ]; then
  # The first display number no X server holds (no lock file, no socket).
  n=57
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  export DISPLAY=":$n"
  Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  trap stop_xvfb EXIT
  echo "run: no display; the program runs on the virtual display $DISPLAY" >&2
  echo "run: take a look with  DISPLAY=$DISPLAY import -window root shot.png" >&2
fi
cd "$work"
export WINELOADER="$loader"
# Not exec: the virtual display is stopped when the program ends.
"$loader" "$out/app/Varnok32.exe"
