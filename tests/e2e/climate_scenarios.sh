# Scenarios of the climate class: the status bar, the "Climate facts"
# dialog and its Copy, the class line in the saved metafile and SVG, and
# the quiz that hides the station. Sourced by run_e2e.sh after
# dialog_scenarios.sh and picture_scenarios.sh, whose helpers they use;
# run_climate_scenarios runs them.

facts_dialog="Climate facts"
berlin_class="Köppen–Geiger: Cfb (Temperate, no dry season, warm summer)"

# The driver's text as UTF-8, whether it wrote UTF-8 or Windows-1252.
as_utf8() {
  python3 -c '
import sys
b = sys.stdin.buffer.read()
try:
    t = b.decode("utf-8")
except UnicodeDecodeError:
    t = b.decode("cp1252")
sys.stdout.write(t)'
}

import_by_number() {  # import_by_number WMO: the station through the search dialog
  open_search_dialog >/dev/null
  drive set-text "$search_dialog" "$IDC_STATION_NUMBER" "$1"
  drive click-button "$search_dialog" "$IDC_SEARCH"
  drive click-button "$search_dialog" "$IDOK"
  drive wait-gone "$search_dialog" 20000
}

open_facts() {
  drive command "$IDM_CLIMATE_FACTS"
  drive wait-window "$facts_dialog" 20000
}

close_facts() {
  drive press "$facts_dialog" "$IDCANCEL"
  drive wait-gone "$facts_dialog" 20000
}

# The texts of a picture joined into one line: a class line broken in two
# reads whole again.
joined() { tr '\n' ' ' <<<"$1"; }

scenario_climate_class() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  local data="$scenario_dir/data"

  # The start record has no class: the facts say so, Copy is grayed.
  check "the facts dialog opens" "$(open_facts)" "$facts_dialog"
  check "Copy is grayed without a class" "$(drive enabled "$facts_dialog" "$IDC_FACTS_COPY")" 0
  close_facts

  import_by_number 10384
  check "the status bar names Berlin's class" "$(drive status | as_utf8)" "$berlin_class"

  open_facts >/dev/null
  screenshot climate_facts
  check "Copy can be used" "$(drive enabled "$facts_dialog" "$IDC_FACTS_COPY")" 1
  drive click-button "$facts_dialog" "$IDC_FACTS_COPY"
  check_true "Copy leaves Unicode text on the clipboard" drive clipboard-text "Z:$scenario_dir/facts.txt"
  local facts
  facts=$(tr -d '\r' <"$scenario_dir/facts.txt")
  check "the facts begin with the class" "$(head -n 1 <<<"$facts")" "$berlin_class"
  check_true "the facts give the annual values" grep -qE '^Annual mean temperature: [0-9]+\.[0-9] °C$' <<<"$facts"
  check_true "the facts give the deciding sentence" grep -qE '^not arid: [0-9]+ mm ≥ 10 × [0-9]+\.[0-9] mm$' <<<"$facts"
  check_true "the facts give the humid months" grep -qE '^Humid months \(P > 2T\): [0-9]+$' <<<"$facts"
  close_facts

  # The class line in the window content's pictures.
  drive send-command "$IDM_CLIMATE_CLASS"
  save_metafile class.emf
  save_picture class.svg
  check_true "the metafile holds the class line" grep -qF "$berlin_class" <<<"$(joined "$(emf_texts "$data/class.emf")")"
  check_true "the SVG holds the class line" grep -qF "$berlin_class" <<<"$(joined "$(svg_texts "$data/class.svg")")"
  check_true "the metafile names the station" emf_has_text "$data/class.emf" "BERLIN-TEMPELHOF"

  # The quiz: no name, country or position in the picture; the years and
  # annual values and the class line stay.
  drive send-command "$IDM_HIDE_STATION"
  screenshot quiz
  save_metafile quiz.emf
  local texts
  texts=$(emf_texts "$data/quiz.emf")
  check "no text names the station, its country or position" \
    "$(grep -cE 'BERLIN|TEMPELHOF|Germany|°N|°E' <<<"$texts")" 0
  check "three question marks stand for them" "$(grep -cx '?' <<<"$texts")" 3
  check_true "the record line stays" grep -qE '^\[[0-9]+-[0-9]+\] .*mm$' <<<"$texts"
  check_true "the class line stays" grep -qF "$berlin_class" <<<"$(joined "$texts")"
  check "the status bar still names the class" "$(drive status | as_utf8)" "$berlin_class"
  check_true "the facts stay available" eval '[ "$(open_facts)" = "$facts_dialog" ]'
  close_facts
}

run_climate_scenarios() {
  run_scenario climate_class scenario_climate_class
}
