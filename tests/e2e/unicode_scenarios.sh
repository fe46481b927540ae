# Scenarios of paths and texts beyond the system's ANSI code page: a folder
# named in three scripts under the user's Documents, the start names of the
# file dialogs in Documents, and the program under the ANSI code pages 932
# (Japanese) and 1251 (Cyrillic), whose station texts stay Windows-1252.
# Sourced by run_e2e.sh after dialog_scenarios.sh and picture_scenarios.sh,
# whose helpers they use; run_unicode_scenarios runs them all.

unicode_folder='Łódź Ωmega 東京'

# A station's name as the head lines show it: the first 24 bytes of its
# file, blanks cut.
station_name_of() { record_text "$1" 0 24 | sed 's/ *$//'; }

# The program started on the shipped database, its main window shown.
start_on_sample() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
}

# Saves the window content as FILE (a Windows path) and waits for UNIX_FILE.
save_content_as() {  # save_content_as WINDOWS_PATH UNIX_PATH
  drive command "$IDM_SAVE_WINDOW_CONTENT"
  drive file-dialog "Save window content" "$1"
  wait_until 30 test -s "$2"
}

scenario_unicode_folder() {
  copy_sample
  local folder="$documents/$unicode_folder" win="$documents_win\\$unicode_folder"
  mkdir -p "$folder"
  cp "$repo/tests/golden/berlin.cli" "$folder/Berlin.cli"
  local station
  station=$(station_name_of "$folder/Berlin.cli")
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  drive command "$IDM_OPEN_STATION_FILE"
  drive file-dialog "Open climate station from file" "$win\\Berlin.cli"
  drive wait-gone "Open climate station from file" 20000
  check "no message after the open" "$(drive wait-window "Varnok 32" 2000)" ""
  drive command "$IDM_SAVE_STATION_FILE"
  drive file-dialog "Save climate station to file" "$win\\Copy.cli"
  check_true "a station file opened from $unicode_folder saves there" \
    wait_until 30 file_size_is "$folder/Copy.cli" 660
  check_true "holding the station opened" cmp -s "$folder/Berlin.cli" "$folder/Copy.cli"
  local ext
  for ext in emf svg png; do
    check_true "the window content saves there as .$ext" save_content_as "$win\\Berlin.$ext" "$folder/Berlin.$ext"
  done
  check_true "the metafile shows the station" grep -qx "$station" <(emf_texts "$folder/Berlin.emf")
  check_true "the SVG shows the station" grep -qx "$station" <(svg_texts "$folder/Berlin.svg")
  check "the PNG is a PNG" "$(identify -format %m "$folder/Berlin.png" 2>/dev/null)" PNG
  check_true "no temporary file left there" no_stray_files "$folder"
  exit_program

  # Started with a station file as its argument, the program reads the
  # database beside itself only: the one in the working folder is not read.
  start_program 240 "$win\\Berlin.cli"
  check "with a station file, no database beside the program: the stop message" \
    "$(drive wait-window "Varnok 32: Terminating" 60000)" "Varnok 32: Terminating application"
  drive press "Varnok 32: Terminating" "$IDOK"
  wait_program_exit 60
  check_true "and it ends with a non-zero code" test "$exit_code" != 0

  # Beside its database, as installed: started with the file as its
  # argument, as a double-click starts it.
  cp "$exe" "$scenario_dir/data/"
  exe="$scenario_dir/data/Varnok32.exe" start_program 240 "$win\\Berlin.cli"
  check "started with $unicode_folder\\Berlin.cli: the main window" \
    "$(drive wait-window "Climate diagram (" 60000 | cut -c1-17)" "Climate diagram ("
  check "no message" "$(drive wait-window "Varnok 32" 2000)" ""
  check_true "it shows the station" save_metafile argument.emf
  check_true "(the head lines name it)" grep -qx "$station" <(emf_texts "$scenario_dir/data/argument.emf")
  exit_program
}

# The start names of the file dialogs lie in the user's Documents folder:
# a save that takes them lands there, not in the program's or the working
# folder.
scenario_documents_bare_name() {
  start_on_sample
  drive command "$IDM_SAVE_STATION_FILE"
  drive wait-window "Save climate station to file" 20000 >/dev/null
  drive press "Save climate station to file" "$IDOK"
  check_true "the station file's start name saves into Documents" \
    wait_until 30 file_size_is "$documents/Own station.cli" 660
  drive command "$IDM_SAVE_WINDOW_CONTENT"
  drive wait-window "Save window content" 20000 >/dev/null
  drive press "Save window content" "$IDOK"
  check_true "the window content's start name too" wait_until 30 emf_has_text "$documents/Climate station.emf" "mm"
  check "nothing in the program's or the working folder" \
    "$(ls "$build/app" "$scenario_dir/data" | grep -c -e 'Own station' -e 'Climate station')" 0
  exit_program
}

# Under an ANSI code page other than 1252 the station texts stay
# Windows-1252: the country list holds Türkiye (0xFC starts a double-byte
# character in 932), its stations list and import, the SVG names it, and
# the degree sign (0xB0) is drawn as one.
scenario_code_page() {  # scenario_code_page CODE_PAGE
  check "the locale $program_locale gives the ANSI code page" "$(drive acp)" "$1"
  start_on_sample
  open_search_dialog >/dev/null
  local expected names first last
  expected=$(sample_stations_of Türkiye)
  drive list-select "$search_dialog" "$IDC_COUNTRY_LIST" "Türkiye"
  check "Türkiye: the count" "$(drive get-text "$search_dialog" "$IDC_STATIONS_AVAILABLE")" \
    " Stations available: $expected"
  names=$(drive list-items "$search_dialog" "$IDC_STATION_LIST" | iconv -f cp1252 -t utf-8 | cut -f1)
  check "Türkiye: the whole list" "$(wc -l <<<"$names")" "$expected"
  first=$(head -1 <<<"$names")
  last=$(tail -1 <<<"$names")
  local pick n=0
  for pick in "$first" "$last"; do
    n=$((n + 1))
    [ "$n" -gt 1 ] && { open_search_dialog >/dev/null; drive list-select "$search_dialog" "$IDC_COUNTRY_LIST" "Türkiye"; }
    drive list-select "$search_dialog" "$IDC_STATION_LIST" "$pick"
    close_with_ok "$search_dialog"
    check_true "$pick imports" save_picture "turkey$n.svg"
    check_true "the SVG holds Türkiye" grep -q "^Türkiye" <(PYTHONIOENCODING=utf-8 svg_texts "$scenario_dir/data/turkey$n.svg")
    check_true "and the station $pick" grep -q "^$pick" <(PYTHONIOENCODING=utf-8 svg_texts "$scenario_dir/data/turkey$n.svg")
  done
  check_true "the metafile" save_metafile turkey.emf
  check_true "draws the degree sign" grep -q "[0-9]°[NS] / [0-9.]*°[EW]" <(emf_texts "$scenario_dir/data/turkey.emf")
  check_true "and Türkiye" grep -q "^Türkiye" <(emf_texts "$scenario_dir/data/turkey.emf")
  screenshot "code_page_$1"
  exit_program
}

# Manual entry: a character that Windows-1252 cannot hold is refused with a
# message naming it, nothing is stored and the dialog stays; one it holds
# (ü, é) is stored as its Windows-1252 byte.
scenario_manual_entry_unicode() {
  start_on_sample
  drive command "$IDM_ENTER_DATA_MANUALLY"
  drive wait-window "$manual_dialog" 30000 >/dev/null
  drive set-text "$manual_dialog" "$IDC_STATION_NAME" "Łukasz"
  drive set-text "$manual_dialog" "$IDC_ELEVATION" "321"
  drive click-button "$manual_dialog" "$IDOK"
  check "OK: a message" "$(drive wait-window "Varnok 32" 20000)" "Varnok 32"
  check_true "naming Ł (U+0141)" grep -q '"Ł" (U+0141)' <(drive texts-utf8 "Varnok 32")
  screenshot manual_entry_refused
  drive press "Varnok 32" "$IDOK"
  drive wait-gone "Varnok 32" 20000
  check "the dialog stays open" "$(drive wait-window "$manual_dialog" 5000)" "$manual_dialog"
  drive set-text "$manual_dialog" "$IDC_STATION_NAME" "Zürich-Flüelen é"
  check_true "OK with Windows-1252 characters closes it" close_with_ok "$manual_dialog"
  check_true "saved" save_station_file manual.cli
  check "stored as Windows-1252 bytes" "$(record_text "$scenario_dir/data/manual.cli" 0 64 | iconv -f cp1252 -t utf-8)" \
    "Zürich-Flüelen é"
  check "with the elevation of the second OK" "$(record_int "$scenario_dir/data/manual.cli" 196)" 321
  exit_program
}

scenario_code_page_932() { program_locale=ja_JP.UTF-8 scenario_code_page 932; }
scenario_code_page_1251() { program_locale=ru_RU.UTF-8 scenario_code_page 1251; }

run_unicode_scenarios() {
  run_scenario unicode_folder scenario_unicode_folder
  run_scenario documents_bare_name scenario_documents_bare_name
  run_scenario manual_entry_unicode scenario_manual_entry_unicode
  run_scenario code_page_932 scenario_code_page_932
  run_scenario code_page_1251 scenario_code_page_1251
}
