#!/usr/bin/env bash
# End-to-end tests of Varnok32.exe under Wine and Xvfb.
#
#   tests/e2e/run_e2e.sh WINDOWS_BUILD_FOLDER
#
# Each scenario gets its own X display, Wine prefix (a copy of one
# initialised prefix kept in the build folder) and data folder; the program
# is driven by the test driver (tests/e2e/driver), which finds its windows
# and sends them messages. Every wait has a deadline, the program and its
# wineserver are ended after each scenario, and the last line reads
# "N passed, N failed". Exit code 0 when nothing failed.
set -u

source "$(dirname "$0")/windows_build_arg.sh" e2e 1 "" "$@"
source "$(dirname "$0")/e2e_lib.sh"
source "$(dirname "$0")/dialog_scenarios.sh"
source "$(dirname "$0")/picture_scenarios.sh"
source "$(dirname "$0")/climate_scenarios.sh"
source "$(dirname "$0")/soak_scenarios.sh"
source "$(dirname "$0")/dpi_scenarios.sh"
source "$(dirname "$0")/unicode_scenarios.sh"
source "$(dirname "$0")/map_scenarios.sh"

passed=0
failed=0
program_pid=
xvfb_pid=

cleanup() {
  scenario_teardown >/dev/null 2>&1
  [ -n "${VARNOK_E2E_KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "e2e: interrupted" >&2; exit 130' INT TERM

copy_sample() {
  cp "$sample/COUNTRY.DAT" "$sample/PRECIP.DAT" "$sample/TEMP.DAT" "$scenario_dir/data/"
}

# The caption must name the diagram window's client size.
caption_matches_diagram() {
  local caption size
  caption=$(drive main-caption) || return 1
  size=$(drive diagram-size) || return 1
  [ "$caption" = "Climate diagram (${size% *} x ${size#* })" ]
}

status_is() { [ "$(drive status)" = "$1" ]; }
file_size_is() { [ -f "$1" ] && [ "$(stat -c %s "$1")" = "$2" ]; }

# ------------------------------------------------------------ scenarios

# A missing data file: the stop message names the first missing file, and
# the process ends with a non-zero exit code once it is confirmed.
scenario_missing_file() {  # TEXT CAPTION FILES-PRESENT...
  local missing_text=$1 caption=$2
  shift 2
  for f in "$@"; do cp "$sample/$f" "$scenario_dir/data/"; done
  start_program 120
  local title
  title=$(drive wait-window "Varnok 32: Terminating" 60000)
  check "stop message appears" "$title" "$caption"
  check "stop message text" "$(drive texts "$caption" | grep -F "Datafile")" "$missing_text"
  check "no main window is shown" "$(drive wait-window "Climate diagram" 0 2>/dev/null)" ""
  drive press "$caption" "$IDOK"
  wait_program_exit 60
  check_true "process ends with a non-zero exit code (got $exit_code)" test "$exit_code" != 0 -a "$exit_code" != timeout
}

scenario_start_and_modes() {
  copy_sample
  start_program
  check "main window appears" "$(drive wait-window "Climate diagram (" 60000 | cut -c1-17)" "Climate diagram ("
  check_true "caption gives the diagram window's size" caption_matches_diagram
  check "status text at start" "$(drive status)" "Varnok 32 - climate diagram"
  check "main window size at start" "$(drive window-size)" "400 590"

  drive send-command "$IDM_SHOW_TABLE"
  check "command 22: status text" "$(drive status)" "Varnok 32 - data table"
  local size
  size=$(drive window-size)
  check "command 22: window height" "${size#* }" 468
  check_true "command 22: width is 119 characters ($size)" test $(( ${size% *} % 119 )) -eq 0 -a "${size% *}" -gt 0
  check_true "command 22: caption follows the diagram window" caption_matches_diagram

  drive send-command "$IDM_SHOW_DIAGRAM"
  check "command 21: status text" "$(drive status)" "Varnok 32 - climate diagram"
  check "command 21: window size" "$(drive window-size)" "400 590"
  check_true "command 21: caption follows the diagram window" caption_matches_diagram

  drive command "$IDM_EXIT"
  wait_program_exit 60
  check "Exit ends the process with code 0" "$exit_code" 0
}

scenario_memorial() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  drive type wisp
  check "typing wisp opens Memorial" "$(drive wait-window Memorial 20000)" Memorial
  local lines
  lines=$(drive texts Memorial | wc -l)
  check_true "the dedication is shown" test "$lines" -ge 2
  drive press Memorial "$IDC_FAREWELL"
  check_true "Farewell closes it" drive wait-gone Memorial 20000
  drive type Wisp
  drive type wwisp
  check "Wisp and wwisp do not open it" "$(drive wait-window Memorial 3000 2>/dev/null)" ""
  drive type wisp
  check "typing wisp again opens it again" "$(drive wait-window Memorial 20000)" Memorial
  drive press Memorial "$IDCANCEL"
  check_true "Esc closes it" drive wait-gone Memorial 20000
}

scenario_station_file() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  # Saved in table mode, the file carries diagram_mode 0.
  drive send-command "$IDM_SHOW_TABLE"
  drive command "$IDM_SAVE_STATION_FILE"
  drive file-dialog "Save climate station to file" "$(data_file saved.cli)"
  local saved="$scenario_dir/data/saved.cli"
  check_true "command 11 writes a 660-byte station file" wait_until 30 file_size_is "$saved" 660
  check "the file holds diagram_mode 0" "$(od -An -t d4 -j 652 -N 4 "$saved" 2>/dev/null | tr -d ' ')" 0

  drive send-command "$IDM_SHOW_DIAGRAM"
  drive command "$IDM_OPEN_STATION_FILE"
  drive file-dialog "Open climate station from file" "$(data_file saved.cli)"
  check_true "reopening it brings back table mode" wait_until 30 status_is "Varnok 32 - data table"
  check "reopened: window height of table mode" "$(drive window-size | cut -d' ' -f2)" 468

  # A file shorter than a record is refused with a message naming it.
  head -c 100 /dev/zero >"$scenario_dir/data/short.cli"
  drive send-command "$IDM_SHOW_DIAGRAM"
  drive command "$IDM_OPEN_STATION_FILE"
  drive file-dialog "Open climate station from file" "$(data_file short.cli)"
  check "a short file is reported" "$(drive wait-window "Varnok 32" 30000)" "Varnok 32"
  local message
  message=$(drive texts "Varnok 32")
  check_true "the message names the file" grep -q "short.cli" <<<"$message"
  drive press "Varnok 32" "$IDOK"
  check_true "after the message the view mode is re-applied" wait_until 30 status_is "Varnok 32 - climate diagram"

  # Cancel still re-applies the mode: the table's size comes back.
  drive send-command "$IDM_SHOW_TABLE"
  drive command "$IDM_OPEN_STATION_FILE"
  drive wait-window "Open climate station from file" 20000 >/dev/null
  drive press "Open climate station from file" "$IDCANCEL"
  check_true "the open dialog can be cancelled" drive wait-gone "Open climate station from file" 20000
  check "after Cancel: table mode and its size" "$(drive status) $(drive window-size | cut -d' ' -f2)" \
    "Varnok 32 - data table 468"
}

# A left click moves the x-axis one step towards it. The metafile of the
# window shows where the axis is: the offset of 100 leaves room for "-10"
# below it, 125 for "-20", and at the minimum of 50 for neither.
scenario_axis_click() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  local size height
  size=$(drive diagram-size)
  height=${size#* }
  labels_of() { emf_texts "$scenario_dir/data/$1" | grep -xE -- '-[0-9]+' | tr '\n' ' '; }
  save_metafile start.emf
  check "at start the axis leaves room for -10" "$(labels_of start.emf)" "-10 "
  drive click 100 10
  save_metafile up.emf
  check "a click above the axis moves it up" "$(labels_of up.emf)" "-10 -20 "
  for i in 1 2 3 4; do drive click 100 $((height - 1)); done
  save_metafile down.emf
  check "clicks below move it down to the minimum" "$(labels_of down.emf)" ""
  drive send-command "$IDM_AXIS_UP"
  drive send-command "$IDM_AXIS_UP"
  save_metafile commands.emf
  check "X-Axis up twice" "$(labels_of commands.emf)" "-10 "
  check_true "the caption still gives the size" caption_matches_diagram
}

# Menu help: the highlighted item's help text in the status bar, the mode
# text back when the menu closes.
scenario_menu_help() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  drive open-menu p
  check_true "the first item's help" wait_until 20 status_is "Show climate data as graph"
  drive key down
  drive key down
  check_true "X-Axis up: its help" wait_until 20 status_is "Move x-axis up"
  drive key escape
  drive key escape
  check_true "closed: the mode text again" wait_until 20 status_is "Varnok 32 - climate diagram"
  drive open-menu f
  drive key up
  check_true "E&xit: its help" wait_until 20 status_is "Leave Varnok 32"
  # Up over the separator to the "Print &scale" submenu: a submenu title
  # has no help text, and the help of the item before must not stay.
  drive key up
  check_true "Print scale submenu: no help of another item" wait_until 20 status_is "Varnok 32 - climate diagram"
  drive key escape
  drive key escape
  drive send-command "$IDM_SHOW_TABLE"
  drive open-menu p
  check_true "table mode: help while the menu is open" wait_until 20 status_is "Show climate data as graph"
  drive key escape
  drive key escape
  check_true "table mode: status after the menu" wait_until 20 status_is "Varnok 32 - data table"
}

# The Print button's tooltip is its command's help text. The mouse is moved
# there on the X display: tooltips follow the real pointer.
scenario_tooltip() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  local centre
  centre=$(drive button-centre 15)
  check_true "the Print button is on the toolbar ($centre)" test -n "$centre"
  DISPLAY=":$display" timeout 20 xdotool mousemove ${centre% *} $((${centre#* } - 2)) sleep 0.2 \
    mousemove ${centre% *} ${centre#* }
  tooltip_is() { [ "$(drive tooltip 2>/dev/null)" = "$1" ]; }
  check_true "its tooltip reads \"Print the window content\"" wait_until 20 tooltip_is "Print the window content"
}

# The toolbar's own customisation dialog: every entry of the table is
# offered, its Help button shows the program's help box, and Reset brings
# back all 17 entries after some were removed.
scenario_toolbar_customise() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  check "the toolbar holds 17 entries" "$(drive toolbar-count)" 17
  drive toolbar-delete 1
  drive toolbar-delete 1
  check "two removed" "$(drive toolbar-count)" 15
  drive toolbar-customise
  local dialog
  dialog=$(drive wait-window "Customize" 30000)
  check_true "the customisation dialog opens ($dialog)" test -n "$dialog"
  drive press-text "$dialog" "&Help"
  check "its Help button shows the help box" "$(drive wait-window "Help window" 20000)" "Help window"
  check "the help text" "$(drive texts "Help window" | grep -F toolbar)" "This dialog allows to configure the toolbar."
  drive press "Help window" "$IDOK"
  drive wait-gone "Help window" 20000
  drive press-text "$dialog" "R&eset"
  count_is() { [ "$(drive toolbar-count)" = "$1" ]; }
  check_true "Reset brings back the 17 entries" wait_until 20 count_is 17
  drive press-text "$dialog" "&Close"
  check_true "the dialog closes" drive wait-gone "$dialog" 20000
  check_true "the program goes on" caption_matches_diagram
}

# The drawing surface over a real device context (tests/e2e/driver/gdi_surface_check.cpp).
scenario_gdi_surface() {
  local output
  output=$(wine_env timeout 120 "$wine_loader" "$build/tests/e2e/varnok_gdi_check.exe" 2>&1 | tr -d '\r')
  [ "$(tail -1 <<<"$output")" = "0 failed" ] || echo "$output" | sed 's/^/    /'
  check "the GDI surface on a memory bitmap" "$(tail -1 <<<"$output")" "0 failed"
}

# COUNTRY.DAT is there but cannot be read (a folder of that name): the
# presence check passes, the country table's failure is reported, and the
# program starts.
scenario_country_table_unreadable() {
  copy_sample
  rm "$scenario_dir/data/COUNTRY.DAT"
  mkdir "$scenario_dir/data/COUNTRY.DAT"
  start_program
  check "the failure is reported" "$(drive wait-window "Error reading Datafile." 60000)" "Error reading Datafile."
  check "the message names the file" "$(drive texts "Error reading Datafile." | grep -c COUNTRY.DAT)" 1
  drive press "Error reading Datafile." "$IDOK"
  check "then the program starts" "$(drive wait-window "Climate diagram (" 60000 | cut -c1-17)" "Climate diagram ("
}

# The diagram window's right click opens the Presentation menu as a popup
# with the same help texts; About; the font dialog and its Cancel.
scenario_popup_about_font() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  drive right-click 50 50
  popup_open() { drive popup-shown; }
  check_true "a right click opens the popup menu" wait_until 20 popup_open
  drive key down
  check_true "its first item's help" wait_until 20 status_is "Show climate data as graph"
  drive key down
  drive key return
  check_true "its second item shows the table" wait_until 20 status_is "Varnok 32 - data table"
  drive send-command "$IDM_SHOW_DIAGRAM"
  drive command "$IDM_ABOUT"
  check "About" "$(drive wait-window "About Varnok 32" 20000)" "About Varnok 32"
  check "About names the version" "$(drive texts "About Varnok 32" | head -1)" "Varnok 32bit v.1.0"
  drive press "About Varnok 32" "$IDOK"
  drive wait-gone "About Varnok 32" 20000
  drive command "$IDM_SELECT_FONT"
  check "command 17 opens the font dialog" "$(drive wait-window "Font" 20000)" "Font"
  drive press Font "$IDCANCEL"
  check_true "Cancel closes it" drive wait-gone Font 20000
  check_true "the program goes on" caption_matches_diagram
}

# Colours and monochrome, seen in the pens of the window's metafile: the
# precipitation curve blue (ff0000 as a COLORREF), the temperature red.
scenario_colours() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  pens_of() { python3 "$repo/tests/e2e/emf_records.py" pens "$scenario_dir/data/$1" | sort -u | tr '\n' ' '; }
  save_metafile colours.emf
  check "colour mode: blue and red pens" "$(pens_of colours.emf | grep -o 'ff0000\|0000ff' | tr '\n' ' ')" "0000ff ff0000 "
  drive send-command "$IDM_MONOCHROME"
  save_metafile monochrome.emf
  check "monochrome: black pens only" "$(pens_of monochrome.emf)" "000000 "
  drive send-command "$IDM_COLOURS"
  save_metafile again.emf
  check "colours again: exactly blue and red" "$(pens_of again.emf | grep -o 'ff0000\|0000ff' | tr '\n' ' ')" \
    "0000ff ff0000 "
}

# Month labels: twelve initials under the axis after command 27, none after
# it again; in table mode the item is grayed and the picture is the table.
scenario_month_labels() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  initials_of() { emf_texts "$scenario_dir/data/$1" | grep -cx '[JFMASOND]'; }
  drive send-command "$IDM_MONTH_LABELS"
  save_metafile labels.emf
  check "command 27 draws the twelve initials" "$(initials_of labels.emf)" 12
  drive send-command "$IDM_MONTH_LABELS"
  save_metafile none.emf
  check "again: none" "$(initials_of none.emf)" 0
  # The record's flag is the one source of the labels and their check
  # mark: saved with labels, opened while they are off, the file shows
  # them (and checks the item), and the next command 27 takes them off.
  drive send-command "$IDM_MONTH_LABELS"
  save_station_file labels.cli
  drive send-command "$IDM_MONTH_LABELS"
  drive command "$IDM_OPEN_STATION_FILE"
  drive file-dialog "Open climate station from file" "$(data_file labels.cli)"
  drive wait-gone "Open climate station from file" 20000
  save_metafile opened.emf
  check "a file with the flag shows the labels" "$(initials_of opened.emf)" 12
  drive send-command "$IDM_MONTH_LABELS"
  save_metafile off.emf
  check "the next command 27 takes them off" "$(initials_of off.emf)" 0
  drive send-command "$IDM_SHOW_TABLE"
  save_metafile table.emf
  check "table mode: the metafile holds the table" \
    "$(emf_texts "$scenario_dir/data/table.emf" | grep -cx 'Mean daily temperature')" 1
}

run_scenario() {
  local name=$1; shift
  # VARNOK_E2E_ONLY=NAME runs one scenario, for work on it.
  [ -n "${VARNOK_E2E_ONLY:-}" ] && [ "$VARNOK_E2E_ONLY" != "$name" ] && return 0
  echo "scenario $name"
  if scenario_setup "$name"; then
    "$@"
  else
    check "$name: setup" failed ok
  fi
  scenario_teardown
}

# ------------------------------------------------------------ main

if ! choose_wine || ! prepare_template_prefix; then
  echo "0 passed, 1 failed"
  exit 1
fi
[ -f "$driver" ] || { echo "e2e: $driver is missing" >&2; echo "0 passed, 1 failed"; exit 1; }

run_scenario all_files_missing scenario_missing_file \
  "Error: Datafile 'COUNTRY.DAT' could not be found!" "Varnok 32: Terminating application"
run_scenario temp_missing scenario_missing_file \
  "Error: Datafile 'TEMP.DAT' could not be found!" "Varnok 32: Terminating application." COUNTRY.DAT PRECIP.DAT
run_scenario gdi_surface scenario_gdi_surface
run_scenario country_table_unreadable scenario_country_table_unreadable
run_scenario start_and_modes scenario_start_and_modes
run_scenario memorial scenario_memorial
run_scenario station_file scenario_station_file
run_scenario axis_click scenario_axis_click
run_scenario menu_help scenario_menu_help
run_scenario tooltip scenario_tooltip
run_scenario toolbar_customise scenario_toolbar_customise
run_scenario popup_about_font scenario_popup_about_font
run_scenario colours scenario_colours
run_scenario month_labels scenario_month_labels
run_dialog_scenarios
run_picture_scenarios
run_dpi_scenarios
run_climate_scenarios
run_unicode_scenarios
run_map_scenarios
run_soak_scenarios

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
