#!/usr/bin/env bash
# Screenshots of the running program for a look by eye: a station of the
# shipped database as a diagram, as a table, and with the Presentation menu
# open (its help text in the status bar). The program runs in a Wine
# virtual desktop, so the pictures show Wine's own window frames.
#
#   tests/e2e/screenshot.sh WINDOWS_BUILD_FOLDER [OUT_FOLDER] [WMO_NUMBER]
#
# OUT_FOLDER defaults to WINDOWS_BUILD_FOLDER/screenshots; WMO_NUMBER to
# 40948 (Kabul, a station of the shipped database with a dry summer).
set -u
source "$(dirname "$0")/windows_build_arg.sh" shots 3 " [OUT_FOLDER] [WMO_NUMBER]" "$@"
out=${2:-$build/screenshots}
wmo=${3:-40948}
source "$(dirname "$0")/e2e_lib.sh"
xvfb_screen=1280x800x24  # wide enough for the table
program_pid=
xvfb_pid=
trap 'scenario_teardown >/dev/null 2>&1; [ -n "${VARNOK_E2E_KEEP:-}" ] || rm -rf "$work"' EXIT

choose_wine && prepare_template_prefix || exit 1
scenario_setup shots || exit 1
mkdir -p "$out"
cp "$sample/COUNTRY.DAT" "$sample/PRECIP.DAT" "$sample/TEMP.DAT" "$scenario_dir/data/"

# The prefix's default desktop becomes a virtual one the size of the X
# screen, so the program and the driver share it and the pictures show
# Wine's window frames. The session is ended after the change: its first
# program made the desktop.
wine_env timeout 120 "$wine_loader" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine_env timeout 120 "$wine_loader" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f \
  >/dev/null 2>&1
wine_env timeout 30 "$wineserver_bin" -k >/dev/null 2>&1
wine_env timeout 30 "$wineserver_bin" -w >/dev/null 2>&1

# The station file comes from the varnok tool of the same build.
(cd "$scenario_dir/data" && wine_env timeout 120 "$wine_loader" "$build/varnok.exe" import --wmo "$wmo" \
   -o station.cli) >"$scenario_dir/varnok.log" 2>&1 || echo "screenshot: no station $wmo, showing the start-up record" >&2

start_program 240
drive wait-window "Climate diagram (" 90000 >/dev/null || { echo "screenshot: no main window" >&2; exit 1; }

shot() {
  drive main-caption >/dev/null  # the program has handled everything sent so far
  import -display ":$display" -window root "$out/$1.png"
  echo "$out/$1.png"
}

if [ -f "$scenario_dir/data/station.cli" ]; then
  drive command "$IDM_OPEN_STATION_FILE"
  drive file-dialog "Open climate station from file" "$(data_file station.cli)"
  drive wait-gone "Open climate station from file" 30000
fi
shot start
drive send-command "$IDM_MONTH_LABELS"
shot diagram
drive move-main 0 0  # the table is 119 characters wide
drive send-command "$IDM_SHOW_TABLE"
shot table
drive send-command "$IDM_SHOW_DIAGRAM"
drive open-menu p
drive key down
drive key down
drive key down
shot menu
