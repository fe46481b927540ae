#!/usr/bin/env bash
# The station map dialog under Wine, beside the diagram window's repaint in
# the same run: the time from the command to the end of the map's first
# paint with the shipped database (five openings, each number a line), then
# the median of 50 paints of a 1920 x 1080 map (the view kept: the land is
# copied from the window's own bitmap), of 50 paints each after the map
# moved (the land filled anew), and of a 1920 x 1080 diagram window with a
# very wet station (tests/golden/cherrapunji.cli), in ms.
#
#   bench/map_wine.sh WINDOWS_BUILD_FOLDER
set -u
source "$(dirname "$0")/../tests/e2e/windows_build_arg.sh" map 1 "" "$@"
source "$(dirname "$0")/../tests/e2e/e2e_lib.sh"
program_pid=
xvfb_pid=
trap 'scenario_teardown >/dev/null 2>&1; rm -rf "$work"' EXIT

status_is() { [ "$(drive status)" = "$1" ]; }
map_dialog="Open station from map"

xvfb_screen=2400x1500x24
choose_wine && prepare_template_prefix && scenario_setup map || exit 1
cp "$sample"/*.DAT "$scenario_dir/data/"
cp "$repo/tests/golden/cherrapunji.cli" "$scenario_dir/data/wet.cli"
start_program 900
drive wait-window "Climate diagram (" 60000 >/dev/null || { echo "map: no main window" >&2; exit 1; }
for run in 1 2 3 4 5; do
  drive command "$IDM_OPEN_FROM_MAP"
  drive wait-window "$map_dialog" 30000 >/dev/null || { echo "map: no dialog" >&2; exit 1; }
  drive map-paint-time "$map_dialog" 1 >/dev/null  # the first paint has happened when this returns
  echo "first paint of the map after the command (run $run): $(drive map-first-paint "$map_dialog") ms"
  [ "$run" = 5 ] && break
  drive click-button "$map_dialog" "$IDCANCEL"
  drive wait-gone "$map_dialog" 20000
done
drive map-size "$map_dialog" 1920 1080
echo "map: $(drive map-area "$map_dialog")"
echo "map 1920x1080, median of 50 paints: $(drive map-paint-time "$map_dialog" 50) ms"
echo "map 1920x1080, median of 50 paints after a move (the land drawn anew): $(drive map-pan-paint-time "$map_dialog" 50) ms"
drive click-button "$map_dialog" "$IDCANCEL"
drive wait-gone "$map_dialog" 20000
drive command "$IDM_OPEN_STATION_FILE"
drive file-dialog "Open climate station from file" wet.cli
wait_until 30 status_is "Varnok 32 - climate diagram"
drive size-diagram 1920 1080
echo "diagram window: $(drive diagram-size)"
echo "diagram 1920x1080, median of 50 paints: $(drive paint-time 50) ms"
