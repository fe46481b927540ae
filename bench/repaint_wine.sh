#!/usr/bin/env bash
# Repaint of the diagram window under Wine: the program of a Windows build
# shows a very wet station (tests/golden/cherrapunji.cli) in a diagram
# window of 1920 x 1080, and the test driver times 50 paints of the diagram
# and 50 of the table; each line gives the median in milliseconds. Then the
# station map dialog in the same run: the time from the command to the end
# of the map's first paint with the shipped database (five openings), and
# the median of 50 paints of a 1920 x 1080 map with the view kept (the land
# copied from the dialog's own bitmap) and of 50 each after the map moved
# (the land filled anew).
#
#   bench/repaint_wine.sh WINDOWS_BUILD_FOLDER
set -u
source "$(dirname "$0")/../tests/e2e/windows_build_arg.sh" repaint 1 "" "$@"
source "$(dirname "$0")/../tests/e2e/e2e_lib.sh"
program_pid=
xvfb_pid=
trap 'scenario_teardown >/dev/null 2>&1; rm -rf "$work"' EXIT

status_is() { [ "$(drive status)" = "$1" ]; }

xvfb_screen=2400x1500x24
choose_wine && prepare_template_prefix && scenario_setup repaint || exit 1
cp "$sample"/*.DAT "$scenario_dir/data/"
cp "$repo/tests/golden/cherrapunji.cli" "$scenario_dir/data/wet.cli"
start_program 600
drive wait-window "Climate diagram (" 60000 >/dev/null || { echo "repaint: no main window" >&2; exit 1; }
drive command "$IDM_OPEN_STATION_FILE"
drive file-dialog "Open climate station from file" wet.cli
wait_until 30 status_is "Varnok 32 - climate diagram"
drive size-diagram 1920 1080
echo "diagram window: $(drive diagram-size)"
echo "diagram 1920x1080, median of 50 paints: $(drive paint-time 50) ms"
drive send-command "$IDM_SHOW_TABLE"
wait_until 30 status_is "Varnok 32 - data table"
drive size-diagram 1920 1080
echo "table 1920x1080, median of 50 paints: $(drive paint-time 50) ms"

map_dialog="Open station from map"
for run in 1 2 3 4 5; do
  drive command "$IDM_OPEN_FROM_MAP"
  drive wait-window "$map_dialog" 30000 >/dev/null || { echo "repaint: no map dialog" >&2; exit 1; }
  drive map-paint-time "$map_dialog" 1 >/dev/null  # the first paint has happened when this returns
  echo "map: first paint after the command (opening $run): $(drive map-first-paint "$map_dialog") ms"
  [ "$run" = 5 ] && break
  drive click-button "$map_dialog" "$IDCANCEL"
  drive wait-gone "$map_dialog" 20000
done
drive map-size "$map_dialog" 1920 1080
echo "map window: $(drive map-area "$map_dialog")"
echo "map 1920x1080, median of 50 paints: $(drive map-paint-time "$map_dialog" 50) ms"
echo "map 1920x1080, median of 50 paints after a move: $(drive map-pan-paint-time "$map_dialog" 50) ms"
