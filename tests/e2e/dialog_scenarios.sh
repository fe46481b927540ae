# Scenarios of the dialogs and the output commands: the station search
# and import (command 18), the manual data entry (12), the metafile (13),
# the clipboard (40) and the print dialog (15). Sourced by run_e2e.sh,
# which provides check, drive, run_scenario and the scenario folders;
# run_dialog_scenarios runs them all.
#
# Screenshots of the dialogs and of an imported southern station are left
# in $build/e2e-screenshots for a look by eye.

e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
search_dialog="Open station from CD database"
manual_dialog="Enter data manually"

screenshot() {  # screenshot NAME
  mkdir -p "$build/e2e-screenshots"
  import -display ":$display" -window root "$build/e2e-screenshots/$1.png" 2>/dev/null
}

# Counts taken from the shipped database itself, so the checks follow it.
sample_country_count() { echo $(( $(stat -c %s "$sample/COUNTRY.DAT") / 79 )); }

sample_stations_of() {  # sample_stations_of COUNTRY-NAME: records of PRECIP.DAT with its code
  python3 - "$sample" "$1" <<'EOF'
import sys
folder, name = sys.argv[1], sys.argv[2]
countries = open(folder + "/COUNTRY.DAT", "rb").read()
codes = [countries[i + 12:i + 15] for i in range(0, len(countries) - 78, 79)
         if countries[i + 17:i + 77].decode("cp1252").rstrip() == name]
precip = open(folder + "/PRECIP.DAT", "rb").read()
print(sum(1 for i in range(0, len(precip) - 1337, 1338) if codes and precip[i:i + 3] == codes[0]))
EOF
}

emf_texts() { PYTHONIOENCODING=utf-8 python3 "$e2e_dir/emf_records.py" texts "$1" 2>/dev/null; }
emf_has_text() { emf_texts "$1" | grep -qF -- "$2"; }
# emf_shows FILE TEXT: one of the metafile's texts is TEXT; a TEXT ending in
# "..." is the start of one.
emf_shows() {
  local want=$2 line
  while IFS= read -r line; do
    case $want in
      *...) [[ $line == "${want%...}"* ]] && return 0 ;;
      *) [[ $line == "$want" ]] && return 0 ;;
    esac
  done < <(emf_texts "$1")
  return 1
}

# One field of a saved station file, by offset: int32, float or bytes.
record_int() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }
record_float() { od -An -t f4 -j "$2" -N 4 "$1" | tr -d ' '; }
record_text() { dd if="$1" bs=1 skip="$2" count="$3" 2>/dev/null | tr -d '\0'; }

save_station_file() {  # save_station_file NAME: command 11 into the data folder
  drive command "$IDM_SAVE_STATION_FILE"
  drive file-dialog "Save climate station to file" "$(data_file "$1")"
  wait_until 30 file_size_is "$scenario_dir/data/$1" 660
}

save_metafile() {  # save_metafile NAME: command 13 into the data folder
  drive command "$IDM_SAVE_WINDOW_CONTENT"
  drive file-dialog "Save window content" "$(data_file "$1")"
  wait_until 30 emf_has_text "$scenario_dir/data/$1" "mm"
}

close_with_ok() {  # close_with_ok DIALOG: presses OK and waits until the dialog is gone
  drive click-button "$1" "$IDOK"
  drive wait-gone "$1" 20000
}

open_search_dialog() {
  drive command "$IDM_OPEN_FROM_DATABASE"
  drive wait-window "$search_dialog" 30000
}

scenario_search_dialog() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  check "command 18 opens the search dialog" "$(open_search_dialog)" "$search_dialog"
  check "the country count" "$(drive get-text "$search_dialog" "$IDC_COUNTRIES")" " Countries: $(sample_country_count)"
  check "the station list starts empty" "$(drive list-items "$search_dialog" "$IDC_STATION_LIST" | wc -l)" 0

  local expected
  expected=$(sample_stations_of Australia)
  drive list-select "$search_dialog" "$IDC_COUNTRY_LIST" Australia
  check "choosing Australia: the count" "$(drive get-text "$search_dialog" "$IDC_STATIONS_AVAILABLE")" " Stations available: $expected"
  check "choosing Australia: the list" "$(drive list-items "$search_dialog" "$IDC_STATION_LIST" | wc -l)" "$expected"
  check_true "the list holds SYDNEY AIRPORT" grep -q "^SYDNEY AIRPORT" <<<"$(drive list-items "$search_dialog" "$IDC_STATION_LIST")"
  drive list-select "$search_dialog" "$IDC_STATION_LIST" "SYDNEY AIRPORT"
  screenshot search_dialog
  check_true "OK closes the dialog" close_with_ok "$search_dialog"

  check_true "command 13 writes a metafile" save_metafile sydney.emf
  local emf="$scenario_dir/data/sydney.emf"
  check_true "the metafile's head lines: the country" emf_shows "$emf" "Australia..."
  check_true "the metafile's head lines: the station" emf_shows "$emf" "SYDNEY AIRPORT..."
  check_true "the metafile's head lines: the position" emf_shows "$emf" "33.57°S / 151.10°E / 6m"
  screenshot southern_station
}

scenario_search_by_number() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  open_search_dialog >/dev/null
  drive set-text "$search_dialog" "$IDC_STATION_NUMBER" 94767
  drive click-button "$search_dialog" "$IDC_SEARCH"
  check "search 94767: the count" "$(drive get-text "$search_dialog" "$IDC_STATIONS_AVAILABLE")" " Stations available: 1"
  check "search 94767: the list" "$(drive list-items "$search_dialog" "$IDC_STATION_LIST")" "SYDNEY AIRPORT	94767"

  drive set-text "$search_dialog" "$IDC_STATION_NUMBER" 99999
  drive click-button "$search_dialog" "$IDC_SEARCH"
  check "search 99999: the message box" "$(drive wait-window Info 20000)" Info
  check_true "search 99999: the message" grep -qx "WMO-stationnumber not found in database" <<<"$(drive texts Info)"
  drive press Info "$IDOK"
  drive wait-gone Info 20000
  check "search 99999: the list stays" "$(drive get-text "$search_dialog" "$IDC_STATIONS_AVAILABLE")" " Stations available: 1"

  close_with_ok "$search_dialog"
  check_true "command 11 saves the imported station" save_station_file sydney.cli
  local saved="$scenario_dir/data/sydney.cli"
  check "import: the name keeps its blanks" "$(record_text "$saved" 0 24)" "SYDNEY AIRPORT          "
  check "import: southern" "$(record_text "$saved" 192 1)" S
  check "import: absolute minimum not available" "$(record_float "$saved" 572)" -999
  check "import: extremes not shown" "$(record_int "$saved" 636)$(record_int "$saved" 648)" 00

  # Cancel imports nothing, even after an earlier pick.
  open_search_dialog >/dev/null
  drive click-button "$search_dialog" "$IDCANCEL"
  drive wait-gone "$search_dialog" 20000
  check_true "after Cancel the program answers" caption_matches_diagram
}

# Two stations of one name: each picked from the list, and each found by
# its number, shows its own position and elevation in the diagram.
scenario_same_named_stations() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  local number position
  for number in 02126 02128; do
    case $number in
      02126) position="65.01°N / 17.42°E / 275m" ;;
      02128) position="65.00°N / 17.40°E / 280m" ;;
    esac
    open_search_dialog >/dev/null
    drive list-select "$search_dialog" "$IDC_COUNTRY_LIST" Sweden
    check_true "Sweden lists GUNNARN $number" grep -qx "GUNNARN	$number" <<<"$(drive list-items "$search_dialog" "$IDC_STATION_LIST")"
    drive list-select "$search_dialog" "$IDC_STATION_LIST" "GUNNARN	$number"
    [ "$number" = 02128 ] && screenshot same_named_stations
    close_with_ok "$search_dialog"
    save_metafile "picked$number.emf"
    check_true "GUNNARN $number picked from the list: its position" \
      emf_shows "$scenario_dir/data/picked$number.emf" "$position"

    open_search_dialog >/dev/null
    drive set-text "$search_dialog" "$IDC_STATION_NUMBER" "$number"
    drive click-button "$search_dialog" "$IDC_SEARCH"
    check "GUNNARN $number by number: the list" "$(drive list-items "$search_dialog" "$IDC_STATION_LIST")" "GUNNARN	$number"
    close_with_ok "$search_dialog"
    save_metafile "found$number.emf"
    check_true "GUNNARN $number found by number: its position" \
      emf_shows "$scenario_dir/data/found$number.emf" "$position"
  done
}

scenario_manual_entry() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  drive command "$IDM_ENTER_DATA_MANUALLY"
  check "command 12 opens the dialog" "$(drive wait-window "$manual_dialog" 30000)" "$manual_dialog"
  check "the start-up name" "$(drive get-text "$manual_dialog" "$IDC_STATION_NAME")" "NO DATASET"
  check "the start-up precipitation" "$(drive get-text "$manual_dialog" "$IDC_PRECIP_MONTH")" "   0"
  check "N checked at start" "$(drive checked "$manual_dialog" "$IDC_NORTH")" 1
  screenshot manual_entry_dialog

  drive set-text "$manual_dialog" "$IDC_STATION_NAME" "TEST STATION"
  drive set-text "$manual_dialog" "$IDC_COUNTRY_NAME" "Testland"
  drive set-text "$manual_dialog" "$IDC_LATITUDE" "52.31"
  drive set-text "$manual_dialog" "$IDC_LONGITUDE" "8.29"
  drive set-text "$manual_dialog" "$IDC_ELEVATION" "118"
  drive set-text "$manual_dialog" "$IDC_TEMP_MONTH" "12.5"
  drive set-text "$manual_dialog" "$IDC_PRECIP_MONTH" "80"
  drive click-button "$manual_dialog" "$IDC_SOUTH"
  check "S relabels the heads" "$(drive get-text "$manual_dialog" "$IDC_PRECIP_HEAD")$(drive get-text "$manual_dialog" $((IDC_TEMP_HEAD + 11)))" \
    "Jul  Jun  "
  check "the values stay in their columns" "$(drive get-text "$manual_dialog" "$IDC_TEMP_MONTH")" "12.5"
  drive click-button "$manual_dialog" "$IDC_FROST_BAR"
  check_true "OK closes the dialog" close_with_ok "$manual_dialog"

  check_true "the diagram is saved as a metafile" save_metafile manual.emf
  check_true "the diagram shows the typed station" emf_shows "$scenario_dir/data/manual.emf" "TEST STATION"
  check_true "the diagram shows the typed position" emf_shows "$scenario_dir/data/manual.emf" "52.31°S / 8.29°E / 118m"

  check_true "command 11 saves the typed station" save_station_file manual.cli
  local saved="$scenario_dir/data/manual.cli"
  check "file: the name" "$(record_text "$saved" 0 64)" "TEST STATION"
  check "file: latitude, degrees, minutes" \
    "$(record_float "$saved" 212) $(record_int "$saved" 216) $(record_int "$saved" 220)" "-52.31 52 31"
  check "file: longitude minutes of 8.29" "$(record_int "$saved" 232)" 29
  check "file: hemisphere" "$(record_text "$saved" 192 1)" S
  check "file: January temperature and precipitation" \
    "$(record_float "$saved" 296) $(record_float "$saved" 240)" "12.5 80"
  check "file: the month mark of column 1" "$(record_int "$saved" 588)" 1
}

clipboard_refused() { drive texts "Copy window content" | grep -qx "The clipboard could not be opened."; }
metafile_refused() { drive texts "Save window content" | grep -q "could not be saved to"; }

scenario_clipboard() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  drive send-command "$IDM_COPY_TO_CLIPBOARD"
  check_true "command 40 leaves an enhanced metafile on the clipboard" drive clipboard-emf "Z:$scenario_dir/clip.emf"
  check_true "its head lines name the start-up station" emf_shows "$scenario_dir/clip.emf" "NO DATASET"

  # Another program holds the clipboard open: the copy is refused with a message.
  # Straight to a file: drive's output filter would hold the line back.
  wine_env timeout 60 "$wine_loader" "$driver" hold-clipboard 20000 >"$scenario_dir/hold.out" 2>&1 &
  local holder=$!
  wait_until 30 grep -q held "$scenario_dir/hold.out"
  drive command "$IDM_COPY_TO_CLIPBOARD"
  check_true "a clipboard held by another program is reported" wait_until 30 clipboard_refused
  drive press "Copy window content" "$IDOK"
  wait "$holder"
}

# A metafile that cannot be created (/proc takes no new files) is reported.
scenario_metafile_refused() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  drive command "$IDM_SAVE_WINDOW_CONTENT"
  drive file-dialog "Save window content" 'Z:\proc\varnok.emf'
  check_true "the failed save is reported" wait_until 30 metafile_refused
  drive press "Save window content" "$IDOK"
  check_true "the program goes on" caption_matches_diagram
}

# Without a printer Wine's print dialog may refuse at once; the program
# then says so. Either way no page is printed and the program goes on.
scenario_print_cancel() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  drive command "$IDM_PRINT"
  check "the print dialog (or the message that no printer can be used)" "$(drive wait-window Print 30000)" Print
  screenshot print_dialog
  drive press Print "$IDCANCEL"
  check_true "Cancel closes it" drive wait-gone Print 20000
  check_true "the program goes on" caption_matches_diagram
}

run_dialog_scenarios() {
  run_scenario search_dialog scenario_search_dialog
  run_scenario search_by_number scenario_search_by_number
  run_scenario same_named_stations scenario_same_named_stations
  run_scenario manual_entry scenario_manual_entry
  run_scenario clipboard scenario_clipboard
  run_scenario metafile_refused scenario_metafile_refused
  run_scenario print_cancel scenario_print_cancel
  run_scenario print_pdf scenario_print_pdf
}

# A real print, where a CUPS print queue with the cups-pdf driver is set up
# (tests/e2e/pdf_printer.sh): the page of an imported station lands as a PDF.
scenario_print_pdf() { with_pdf_queue print_to_pdf_queue; }

with_pdf_queue() {  # with_pdf_queue FUNCTION: FUNCTION FOLDER_THE_PDFS_LAND_IN, or a skip
  local queue_out cups_was_running=no
  lpstat -r 2>/dev/null | grep -q 'scheduler is running' && cups_was_running=yes
  queue_out=$(bash "$e2e_dir/pdf_printer.sh" 2>>"$scenario_dir/driver.log") || {
    echo "  skip  no PDF print queue on this machine"
    return 0
  }
  local cups_pid=
  [ "$cups_was_running" = yes ] || cups_pid=$(pgrep -n -x cupsd)
  "$1" "$queue_out"
  # A scheduler that this test started ends with the scenario.
  [ -z "$cups_pid" ] || kill "$cups_pid" 2>/dev/null
  return 0
}

print_to_pdf_queue() {  # print_to_pdf_queue FOLDER_THE_PDFS_LAND_IN
  local queue_out=$1
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  open_search_dialog >/dev/null
  drive set-text "$search_dialog" "$IDC_STATION_NUMBER" 94767
  drive click-button "$search_dialog" "$IDC_SEARCH"
  close_with_ok "$search_dialog"
  local marker="$scenario_dir/before-print"
  touch "$marker"
  drive command "$IDM_PRINT"
  check "the print dialog" "$(drive wait-window Print 30000)" Print
  screenshot print_dialog_with_printer
  drive press Print "$IDOK"
  check_true "a PDF arrives from the print queue" wait_until 120 pdf_arrived "$queue_out" "$marker"
  local pdf
  pdf=$(newer_pdf "$queue_out" "$marker")
  check_true "the page names the station" grep -q "SYDNEY AIRPORT" <<<"$(pdftotext "$pdf" - 2>/dev/null)"
  mkdir -p "$build/e2e-screenshots"
  pdftoppm -png -r 50 -singlefile "$pdf" "$build/e2e-screenshots/printed_page" 2>/dev/null
}

pdf_arrived() { newer_pdf "$@" >/dev/null; }

newer_pdf() {  # newer_pdf FOLDER MARKER: a PDF written after MARKER
  local newest
  newest=$(find "$1" -name '*.pdf' -newer "$2" -size +1k 2>/dev/null | head -1)
  [ -n "$newest" ] && echo "$newest"
}
