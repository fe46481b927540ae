# Scenarios of the pictures "Save window content" writes besides the
# metafile (SVG and PNG, chosen by the extension typed) and of the print
# scale "Fit to page". Sourced by run_e2e.sh after dialog_scenarios.sh,
# whose helpers they use; run_picture_scenarios runs them all.

# Sydney Airport from the database, through the search dialog (or the
# station of another WMO number).
import_sydney() {  # import_sydney [WMO]
  open_search_dialog >/dev/null
  drive set-text "$search_dialog" 1026 "${1:-94767}"
  drive click-button "$search_dialog" 1027
  drive click-button "$search_dialog" 1
  drive wait-gone "$search_dialog" 20000
}

save_picture() {  # save_picture NAME: command 13 into the data folder, waits for a file
  drive command 13
  drive file-dialog "Save window content" "$(data_file "$1")"
  wait_until 30 test -s "$scenario_dir/data/$1"
}

# The texts of an SVG, one a line; fails when the file does not parse.
svg_texts() {
  python3 - "$1" <<'PY'
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
for t in root.iter("{http://www.w3.org/2000/svg}text"):
    print(t.text or "")
PY
}

# Pixels of a picture whose colour is near pure red, near pure blue, and
# of any colour at all (not grey): "RED BLUE COLOURED", from its histogram.
png_colour_counts() {
  convert "$1" -depth 8 -format %c histogram:info:- | python3 -c '
import re, sys
red = blue = coloured = 0
for line in sys.stdin:
    m = re.match(r"\s*(\d+):\s*\(\s*(\d+),\s*(\d+),\s*(\d+)", line)
    if not m:
        continue
    n, r, g, b = (int(v) for v in m.groups())
    red += n if r > 200 and g < 60 and b < 60 else 0
    blue += n if b > 200 and r < 60 and g < 60 else 0
    coloured += n if max(r, g, b) - min(r, g, b) > 40 else 0
print(red, blue, coloured)'
}

no_stray_files() {  # no_stray_files FOLDER: no temporary file of a save left
  [ -z "$(find "$1" -maxdepth 1 \( -name 'vnk*' -o -name '*.tmp' \) -print -quit)" ]
}

scenario_pictures() {
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  import_sydney
  local size width height data="$scenario_dir/data"
  size=$(drive diagram-size)
  width=${size% *}
  height=${size#* }
  save_metafile sydney.emf
  check_true "the SVG is saved" save_picture sydney.svg
  check_true "the PNG is saved" save_picture sydney.png

  local texts
  check_true "the SVG parses" eval 'texts=$(svg_texts "$data/sydney.svg")'
  check "the SVG holds the station's head lines" "$(grep -cE '^(SYDNEY AIRPORT|Australia) *$' <<<"$texts")" 2
  local missing
  missing=$(comm -23 <(emf_texts "$data/sydney.emf" | sort -u) <(svg_texts "$data/sydney.svg" | sort -u))
  check "every text of the metafile is in the SVG" "$missing" ""
  # The same station, view and size through varnok render, with the start
  # font's metrics as this screen measures them.
  save_station_file sydney.cli
  local metrics
  metrics=$(drive font-metrics)
  (cd "$data" && wine_env timeout 60 "$wine_loader" "$build/varnok.exe" render sydney.cli -o render.svg \
    --size "${width}x${height}" --char-width "${metrics% *}" --line-height "${metrics#* }" \
    >"$scenario_dir/render.log" 2>&1)
  check_true "the SVG is what varnok render writes" cmp "$data/sydney.svg" "$data/render.svg"

  check "the PNG decodes at three times the window size" \
    "$(identify -format '%m %w %h' "$data/sydney.png" 2>/dev/null)" "PNG $((3 * width)) $((3 * height))"
  local red blue coloured
  read -r red blue coloured <<<"$(png_colour_counts "$data/sydney.png")"
  check_true "the PNG has red temperature curve pixels ($red)" test "$red" -gt 100
  check_true "the PNG has blue precipitation curve pixels ($blue)" test "$blue" -gt 100

  drive send-command 23  # monochrome
  check_true "the monochrome PNG is saved" save_picture mono.png
  read -r red blue coloured <<<"$(png_colour_counts "$data/mono.png")"
  check "the monochrome PNG has no coloured pixels" "$coloured" 0

  # A file that cannot be created (/proc takes no new files): each format
  # is reported.
  local ext
  for ext in svg png; do
    drive command 13
    drive file-dialog "Save window content" "Z:\\proc\\varnok.$ext"
    check_true "a $ext that cannot be created is reported" wait_until 30 metafile_refused
    drive press "Save window content" 1
    drive wait-gone "Save window content" 20000 >/dev/null
  done
  check_true "no temporary file is left beside the pictures" no_stray_files "$data"
  check_true "the program goes on" caption_matches_diagram
}

# The drawing's horizontal span on a page image, as a share of the page's
# width in percent: the width of what trimming the white margins leaves.
page_span_percent() {
  local size
  size=$(convert "$1" -fuzz 30% -trim -format '%w %W' info: 2>/dev/null) || return 1
  echo $(( ${size% *} * 100 / ${size#* } ))
}

# A print at "Fit to page" fills the page's width (the diagram with a
# margin of 7 character widths on either side: about 64% of an A4 page
# from the PDF printer); at scale 3 it does not (38%).
scenario_print_fit_to_page() { with_pdf_queue print_fit_to_page; }

print_fit_to_page() {  # print_fit_to_page FOLDER_THE_PDFS_LAND_IN
  local queue_out=$1
  copy_sample
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  import_sydney
  local marker="$scenario_dir/before-print" pdf span span_33=0 span_37=0
  for scale in 33 37; do
    touch "$marker"
    sleep 1
    drive send-command "$scale"
    drive command 15
    drive wait-window Print 30000 >/dev/null
    drive press Print 1
    check_true "a PDF arrives at print scale item $scale" wait_until 120 pdf_arrived "$queue_out" "$marker"
    pdf=$(newer_pdf "$queue_out" "$marker")
    pdftoppm -png -r 100 -singlefile "$pdf" "$scenario_dir/page$scale" 2>/dev/null
    span=$(page_span_percent "$scenario_dir/page$scale.png")
    echo "  (item $scale: the drawing spans $span% of the page's width)"
    printf -v "span_$scale" %s "$span"
  done
  mkdir -p "$build/e2e-screenshots"
  cp "$scenario_dir/page37.png" "$build/e2e-screenshots/printed_fit_to_page.png"
  check_true "fit to page spans most of the page's width ($span_37%)" test "$span_37" -ge 60
  check_true "wider than at scale 3 ($span_33%)" test "$span_37" -gt "$span_33"
}

# The diagram window's client area as the screen shows it, into FILE.
window_picture() {  # window_picture FILE
  local origin size
  drive main-caption >/dev/null  # the program has handled everything sent so far
  origin=$(drive diagram-origin) && size=$(drive diagram-size) || return 1
  import -display ":$display" -window root -crop "${size% *}x${size#* }+${origin% *}+${origin#* }" +repage "$1"
}

open_station_file() {  # open_station_file NAME: a station file of the data folder
  drive command "$IDM_OPEN_STATION_FILE"
  drive file-dialog "Open climate station from file" "$(data_file "$1")"
  drive wait-gone "Open climate station from file" 20000 >/dev/null
}

# The pictures as other programs draw them: the EMF and the SVG of four
# stations (one cut at the window's top, two with dry months) converted by
# LibreOffice (one soffice run for all, with its own profile), the SVGs by
# librsvg and Chromium too, each compared with the window's screenshot by
# picture_readers.py; and the PNG's resolution, lines and text against the
# window enlarged three times.
scenario_picture_readers() {
  copy_sample
  local data="$scenario_dir/data" out="$scenario_dir/readers" station
  mkdir -p "$out/lo" "$out/rsvg" "$out/chromium"
  cp "$e2e_dir/../golden/berlin.cli" "$e2e_dir/../golden/cherrapunji.cli" "$data/"
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  for station in berlin cherrapunji sydney biskra; do
    case $station in
      sydney) import_sydney ;;
      biskra) import_sydney 60525 ;;
      *) open_station_file "$station.cli" ;;
    esac
    [ -f "$data/$station.cli" ] || save_station_file "$station.cli"
    check_true "$station: the window is captured" window_picture "$out/window_$station.png"
    save_metafile "${station}_emf.emf"
    check_true "$station: the SVG is saved" save_picture "${station}_svg.svg"
    (cd "$data" && wine_env timeout 60 "$wine_loader" "$build/varnok.exe" show "$station.cli" | tr -d '\r' \
      > "$out/$station.json")
  done
  check_true "biskra: the PNG is saved" save_picture biskra.png
  check "the metafile's font: its face name padded with zeros" \
    "$(python3 "$e2e_dir/emf_records.py" faces "$data/berlin_emf.emf")" "Arial padded"
  # Absurd stations of the reliability checks, all dry and all wet: their
  # metafiles hold at most three times the records of the wettest station's.
  local wettest absurd records
  wettest=$(python3 "$e2e_dir/emf_records.py" count "$data/cherrapunji_emf.emf")
  for absurd in dry_sky_0 wet_sky_0 float_limits_0; do
    cp "$e2e_dir/../../fuzz/regressions/station_file/$absurd" "$data/$absurd.cli"
    open_station_file "$absurd.cli"
    save_metafile "$absurd.emf"
    records=$(python3 "$e2e_dir/emf_records.py" count "$data/$absurd.emf")
    check_true "$absurd: $records metafile records, the wettest station $wettest" \
      test "${records:-999999}" -le $((3 * wettest))
  done
  local size
  size=$(drive diagram-size)

  check_true "LibreOffice is installed (scripts/setup.sh)" eval "command -v soffice >/dev/null"
  mkdir -p "$out/lo-home"
  (cd "$data" && HOME="$out/lo-home" timeout 600 soffice -env:UserInstallation="file://$out/lo-profile" \
    --headless --norestore --convert-to png --outdir "$out/lo" ./*_emf.emf ./*_svg.svg >"$out/lo.log" 2>&1)
  local browser profile
  browser=$(command -v chromium || command -v chromium-browser)
  for station in berlin cherrapunji sydney biskra; do
    rsvg-convert "$data/${station}_svg.svg" -o "$out/rsvg/$station.png"
    profile=$(mktemp -d "$out/profile.XXXXXX")
    timeout 120 "$browser" --headless --no-sandbox --disable-gpu --no-first-run --hide-scrollbars \
      --force-device-scale-factor=1 --user-data-dir="$profile" --window-size="${size% *},${size#* }" \
      --screenshot="$out/chromium/$station.png" "file://$data/${station}_svg.svg" >/dev/null 2>&1
    local render reader
    for render in "lo/${station}_emf" "lo/${station}_svg" "rsvg/$station" "chromium/$station"; do
      reader=${render%%/*}
      [[ $render == *_emf ]] && reader="$reader EMF" || reader="$reader SVG"
      check_true "$station in $reader as in the window" python3 "$e2e_dir/picture_readers.py" diagram \
        "$out/window_$station.png" "$out/$render.png" "$out/$station.json" "$data/${station}_svg.svg" \
        $([[ $render == *_emf ]] || echo --spaces)
    done
  done
  check_true "the PNG: 288 dpi, lines and text three times the window's" python3 "$e2e_dir/picture_readers.py" \
    png "$out/window_biskra.png" "$data/biskra.png" "$data/biskra_svg.svg"
  mkdir -p "$build/e2e-screenshots"
  cp "$out"/lo/*.png "$build/e2e-screenshots/" 2>/dev/null
}

run_picture_scenarios() {
  run_scenario picture_readers scenario_picture_readers
  run_scenario pictures scenario_pictures
  run_scenario print_fit_to_page scenario_print_fit_to_page
}
