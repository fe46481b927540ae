# The station map dialog, "File > Open station from map" (sourced by
# run_e2e.sh): clicks where stations lie, computed from their latitude and
# longitude in PRECIP.DAT and the size of the dialog's map, import exactly
# those stations; a wheel zoom keeps the station under the cursor; Cancel
# changes nothing.

map_dialog="Open station from map"

open_map_dialog() {
  drive command "$IDM_OPEN_FROM_MAP"
  drive wait-window "$map_dialog" 30000
}

# station_pixel NUMBER W H [X0 Y0 FACTOR]: the station's pixel in a map of
# W x H in the start view, or after a wheel zoom by FACTOR about (X0, Y0).
station_pixel() {
  python3 - "$sample/PRECIP.DAT" "$@" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
number, w, h = sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
def degrees(field, minutes):
    value = abs(int(field.replace(b".", b"").strip() or 0)) + int(minutes) / 60
    return -value if b"-" in field else value
for i in range(0, len(data) - 1337, 1338):
    r = data[i:i + 1338]
    if r[4:12].strip().decode() == number:
        lat, lon = degrees(r[38:42], r[42:44]), degrees(r[45:50], r[50:52])
        x, y = (lon + 180) / 360 * w, (90 - lat) / 180 * h
        if len(sys.argv) > 5:
            x0, y0, f = float(sys.argv[5]), float(sys.argv[6]), float(sys.argv[7])
            x, y = x0 + (x - x0) * f, y0 + (y - y0) * f
        print(round(x), round(y))
        break
PY
}

# The station nearest to NUMBER in the start view of a W x H map, other
# than itself: "NUMBER NAME" of the record.
neighbour_of() {
  python3 - "$sample/PRECIP.DAT" "$sample/TEMP.DAT" "$@" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
temp_numbers = {open(sys.argv[2], "rb").read()[i + 4:i + 12].strip() for i in range(0, len(open(sys.argv[2], "rb").read()) - 1337, 1338)}
def degrees(field, minutes):
    value = abs(int(field.replace(b".", b"").strip() or 0)) + int(minutes) / 60
    return -value if b"-" in field else value
rows = []
for i in range(0, len(data) - 1337, 1338):
    r = data[i:i + 1338]
    if r[4:12].strip() in temp_numbers:
        rows.append((r[4:12].strip().decode(), r[12:36].decode("cp1252").strip(), degrees(r[45:50], r[50:52]), degrees(r[38:42], r[42:44])))
me = [r for r in rows if r[0] == sys.argv[3]][0]
others = sorted((abs(r[2] - me[2]) + abs(r[3] - me[3]), r) for r in rows if r[0] != me[0])
print(others[0][1][0], others[0][1][1])
PY
}

status_line() { drive get-text "$map_dialog" "$IDC_MAP_STATUS" | cut -d, -f1; }

ok_and_check() {  # ok_and_check NUMBER NAME: OK (unless the double click closed it), the metafile names it
  [ "${3:-}" = closed ] || drive click-button "$map_dialog" "$IDOK"
  drive wait-gone "$map_dialog" 20000
  save_metafile "map$1.emf"
  check_true "the metafile holds $2" emf_has_text "$scenario_dir/data/map$1.emf" "$2"
}

scenario_map_dialog() {
  copy_sample
  cp "$sample/WORLD.DAT" "$scenario_dir/data/"
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  check "the command opens the map dialog" "$(open_map_dialog)" "$map_dialog"
  check "the map at 96 DPI: 800 wide, the line and the buttons below" "$(drive map-area "$map_dialog")" "800 411"
  check "the line under the map explains it" "$(drive get-text "$map_dialog" "$IDC_MAP_STATUS" | cut -c1-25)" \
    "Click a station to pick i"
  # Berlin's four stations lie within a pixel of each other in the start
  # view: a click where Tempelhof lies picks a Berlin station (the first of
  # the list, drawn on top); zoomed by the wheel about that point, a click
  # where Tempelhof now lies picks Tempelhof.
  local area berlin neighbour
  area=$(drive map-area "$map_dialog")
  berlin=$(station_pixel 10384 $area)
  drive map-click "$map_dialog" $berlin
  check "the start view: a click on Berlin picks a Berlin station" "$(status_line | cut -c1-7)" "BERLIN-"
  screenshot map_dialog
  drive map-wheel "$map_dialog" $berlin 960  # eight notches: 1.5 to the 8th
  drive map-click "$map_dialog" $(station_pixel 10384 $area $berlin 25.62890625)
  check "zoomed by the wheel: the click picks Tempelhof" "$(status_line)" "BERLIN-TEMPELHOF 10384"
  screenshot map_dialog_zoomed
  ok_and_check 10384 BERLIN-TEMPELHOF

  open_map_dialog >/dev/null
  drive map-double-click "$map_dialog" $(station_pixel 94767 $area)
  ok_and_check 94767 "SYDNEY AIRPORT" closed

  # Zoomed by the wheel about Berlin, its nearest neighbour (a pixel or
  # two away in the start view) lies apart and is picked where it now is.
  open_map_dialog >/dev/null
  neighbour=$(neighbour_of 10384)
  drive map-wheel "$map_dialog" $berlin 480  # four notches: 1.5 to the 4th
  drive map-click "$map_dialog" $(station_pixel "${neighbour%% *}" $area $berlin 5.0625)
  check "after the wheel zoom the click picks ${neighbour#* }" "$(status_line)" "${neighbour#* } ${neighbour%% *}"
  ok_and_check "${neighbour%% *}" "${neighbour#* }"

  # Cancel after a pick: the station shown stays.
  open_map_dialog >/dev/null
  drive map-click "$map_dialog" $(station_pixel 10384 $area)
  drive click-button "$map_dialog" "$IDCANCEL"
  drive wait-gone "$map_dialog" 20000
  save_metafile cancelled.emf
  check_true "Cancel changes nothing" emf_has_text "$scenario_dir/data/cancelled.emf" "${neighbour#* }"
  check "Cancel: the search dialog's pick stays" "$(open_search_dialog)" "$search_dialog"
  drive click-button "$search_dialog" "$IDOK"
  drive wait-gone "$search_dialog" 20000
  save_metafile search_after.emf
  check_true "its OK imports the station picked on the map last" emf_has_text "$scenario_dir/data/search_after.emf" "${neighbour#* }"
}

run_map_scenarios() {
  run_scenario map_dialog scenario_map_dialog
}
