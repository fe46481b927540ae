# Scenarios of the program at other DPIs (Wine takes the DPI from
# HKCU\Control Panel\Desktop\LogPixels): the window sizes scaled, the
# diagram window's picture the 96-DPI picture enlarged, and the outputs of
# "Save window content" the same bytes at every DPI. Sourced by run_e2e.sh
# after dialog_scenarios.sh; run_dpi_scenarios runs them all.
#
# The screenshots stay in BUILD/screenshots/dpi for a look by eye.

# Normalised cross-correlation (ImageMagick's NCC, 1 for the same picture)
# that a screenshot scaled back to 96 DPI must reach against the 96-DPI
# one, both blurred first (sigma 1.5 pixels): text is hinted for each size
# on its own and a 1.5-pixel line is drawn 1 or 2 pixels wide, so edges
# differ by a pixel here and there. Measured under Wine 8: 0.94 at 144 DPI,
# 0.91 at 192; the 96-DPI picture moved by 2 pixels scores 0.84, by 3
# pixels 0.56.
dpi_ncc_floor=0.88

set_logpixels() {  # set_logpixels DPI: for the programs started after it
  wine_env timeout 120 "$wine_loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$1" /f >/dev/null 2>&1
  wine_env timeout 30 "$wineserver_bin" -k >/dev/null 2>&1
  wine_env timeout 30 "$wineserver_bin" -w >/dev/null 2>&1
}

# The diagram window's client area on the screen into FILE.
shoot_diagram() {  # shoot_diagram FILE
  local origin size x y w h
  drive main-caption >/dev/null  # everything sent so far has been handled
  origin=$(drive diagram-origin) && size=$(drive diagram-size) || return 1
  read -r x y <<<"$origin"
  read -r w h <<<"$size"
  import -display ":$display" -window root -crop "${w}x${h}+${x}+${y}" +repage "$1"
}

# The NCC of picture A, scaled to the size of picture B, against B.
ncc_scaled() {  # ncc_scaled A B
  local size
  size=$(identify -format '%wx%h' "$2")
  convert "$1" -resize "${size}!" -blur 0x1.5 "$1.back.png"
  convert "$2" -blur 0x1.5 "$2.blurred.png"
  compare -metric NCC "$1.back.png" "$2.blurred.png" null: 2>&1 | cut -d' ' -f1
}

same_emf_drawing() {  # same_emf_drawing A B
  local records="$repo/tests/e2e/emf_records.py" a b
  a=$(python3 "$records" drawing "$1") && b=$(python3 "$records" drawing "$2") && [ -n "$a" ] && [ "$a" = "$b" ]
}

# The program started in the data folder, with Berlin-Tempelhof opened
# through "Open station from file" (a station file given as the argument
# would make the program read the database beside Varnok32.exe).
start_with_tempelhof() {
  start_program 240
  drive wait-window "Climate diagram (" 90000 >/dev/null
  drive command "$IDM_OPEN_STATION_FILE"
  drive file-dialog "Open climate station from file" "$(data_file tempelhof.cli)"
  drive wait-gone "Open climate station from file" 30000
}

at_least() { python3 -c "import sys; sys.exit(0 if float('$1') >= float('$2') else 1)"; }

# Berlin-Tempelhof at one DPI: window size, screenshot and the three
# outputs, which go into OUT.
dpi_run() {  # dpi_run DPI OUT
  local dpi=$1 out=$2 data="$scenario_dir/data"
  set_logpixels "$dpi"
  start_with_tempelhof
  check "$dpi DPI: the main window is 400 x 590 scaled" "$(drive window-size)" \
    "$((400 * dpi / 96)) $((590 * dpi / 96))"
  # The same window in 96-DPI units at every DPI: 380 x 510, a start-size
  # window without the frame and menu.
  drive size-diagram $((380 * dpi / 96)) $((510 * dpi / 96))
  check "$dpi DPI: the diagram window is 380 x 510 scaled" "$(drive diagram-size)" \
    "$((380 * dpi / 96)) $((510 * dpi / 96))"
  check "$dpi DPI: the caption gives the size in 96-DPI units" "$(drive main-caption)" "Climate diagram (380 x 510)"
  mkdir -p "$out"
  shoot_diagram "$out/diagram-$dpi.png"
  local name
  for name in window.emf window.svg window.png; do
    save_window_content "$name"
    mv "$data/$name" "$out/$dpi-$name"
  done
  import -display ":$display" -window root "$out/screen-$dpi.png"
  drive move-main 0 0  # the table is 119 characters wide
  drive send-command "$IDM_SHOW_TABLE"
  shoot_diagram "$out/table-$dpi.png"
  check "$dpi DPI: the table window is 119 characters by 468 scaled" "$(drive window-size | cut -d' ' -f2)" \
    "$((468 * dpi / 96))"
  drive command "$IDM_EXIT"
  wait_program_exit 60
}

scenario_dpi() {
  copy_sample
  local out="$build/screenshots/dpi" data="$scenario_dir/data"
  (cd "$data" && wine_env timeout 120 "$wine_loader" "$build/varnok.exe" import --wmo 10384 -o tempelhof.cli) \
    >"$scenario_dir/varnok.log" 2>&1
  check "the station file of Berlin-Tempelhof" "$(stat -c %s "$data/tempelhof.cli" 2>/dev/null)" 660
  local dpi
  for dpi in 96 144 192; do dpi_run "$dpi" "$out"; done
  for dpi in 144 192; do
    local ncc
    ncc=$(ncc_scaled "$out/diagram-$dpi.png" "$out/diagram-96.png")
    check_true "$dpi DPI: the picture scaled back matches 96 DPI (NCC $ncc >= $dpi_ncc_floor)" \
      at_least "${ncc:-0}" "$dpi_ncc_floor"
    local name
    for name in window.svg window.png; do
      check_true "$dpi DPI: $name is the 96-DPI one, byte for byte" cmp -s "$out/$dpi-$name" "$out/96-$name"
    done
    # The header and text records carry the screen's size in millimetres,
    # which follows its DPI; what is drawn is the same.
    check_true "$dpi DPI: window.emf draws what the 96-DPI one draws" same_emf_drawing \
      "$out/$dpi-window.emf" "$out/96-window.emf"
  done
}

# Rows from the topmost to the lowest pixel of either curve (pure red or
# pure blue) in a screenshot: the height of the drawn climate.
curve_height() {  # curve_height FILE
  convert "$1" -depth 8 txt:- | python3 -c '
import re, sys
rows = []
for line in sys.stdin:
    m = re.match(r"\d+,(\d+): \((\d+),(\d+),(\d+)", line)
    if m:
        y, r, g, b = (int(v) for v in m.groups())
        if (r > 200 and g < 60 and b < 60) or (b > 200 and r < 60 and g < 60):
            rows.append(y)
print(max(rows) - min(rows) + 1 if rows else 0)'
}

# Zoom: "Fit to window" in a 1920 x 1080 window draws the diagram at least
# 1.8 times its height at 100 %, and never changes what "Save window
# content" writes.
scenario_zoom() {
  copy_sample
  local out="$build/screenshots/zoom" data="$scenario_dir/data"
  mkdir -p "$out"
  (cd "$data" && wine_env timeout 120 "$wine_loader" "$build/varnok.exe" import --wmo 10384 -o tempelhof.cli) \
    >"$scenario_dir/varnok.log" 2>&1
  start_with_tempelhof
  drive move-main 0 0
  drive size-main 1920 1080
  check "the main window is 1920 x 1080" "$(drive window-size)" "1920 1080"
  shoot_diagram "$out/zoom-100.png"
  save_window_content zoom-100.svg
  drive send-command "$IDM_ZOOM_FIT"
  shoot_diagram "$out/zoom-fit.png"
  save_window_content zoom-fit.svg
  local at_100 fitted
  at_100=$(curve_height "$out/zoom-100.png")
  fitted=$(curve_height "$out/zoom-fit.png")
  check_true "Fit to window: the curves $fitted rows high, at 100 % $at_100 (at least 1.8 times)" \
    test "$at_100" -gt 50 -a $((fitted * 10)) -ge $((at_100 * 18))
  check_true "Fit to window: the SVG is the one at 100 %" cmp -s "$data/zoom-100.svg" "$data/zoom-fit.svg"
  drive send-command "$IDM_ZOOM_200"
  shoot_diagram "$out/zoom-200.png"
  check "200 %: the curves twice as high" "$(curve_height "$out/zoom-200.png")" "$((at_100 * 2))"
  drive send-command "$IDM_ZOOM_100"
  shoot_diagram "$out/zoom-back.png"
  check_true "100 % again: the same picture as before" same_pixels "$out/zoom-back.png" "$out/zoom-100.png"
  # The table at Fit to window: its ink fills the window's width or height
  # (90 % at least) and ends inside it.
  drive send-command "$IDM_SHOW_TABLE"
  drive send-command "$IDM_ZOOM_FIT"
  drive size-main 1920 1080
  shoot_diagram "$out/table-fit.png"
  local window ink
  window=$(identify -format '%w %h' "$out/table-fit.png")
  ink=$(convert "$out/table-fit.png" -trim -format '%w %h %X %Y' info: | tr -d '+')
  check_true "Fit to window: the whole table fills the window (ink $ink in $window)" table_fills $window $ink
}

table_fills() {  # table_fills WIDTH HEIGHT INK_W INK_H INK_X INK_Y
  [ $(($5 + $3)) -lt "$1" ] && [ $(($6 + $4)) -lt "$2" ] && { [ $(($3 * 10)) -ge $(($1 * 9)) ] || [ $(($4 * 10)) -ge $(($2 * 9)) ]; }
}

same_pixels() { compare -metric AE "$1" "$2" null: >/dev/null 2>&1; }

save_window_content() {  # save_window_content NAME: into the data folder
  drive command "$IDM_SAVE_WINDOW_CONTENT"
  drive file-dialog "Save window content" "$(data_file "$1")"
  wait_until 30 test -s "$scenario_dir/data/$1"
}

# The printout at 144 DPI is the 96-DPI printout: Berlin-Tempelhof printed
# at both DPIs through the PDF print queue, both pages rendered at 100
# pixels per inch and compared pixel for pixel.
scenario_dpi_print() { with_pdf_queue dpi_print; }

# Pixels that may differ between the two rendered pages (ImageMagick's AE
# with a 1 % fuzz). The page does not depend on the screen, so the pages
# are expected to be identical; 0 allows no difference at all.
dpi_print_max_ae=0

dpi_print() {  # dpi_print FOLDER_THE_PDFS_LAND_IN
  local queue_out=$1 data="$scenario_dir/data" marker="$scenario_dir/before-print" dpi pdf
  copy_sample
  (cd "$data" && wine_env timeout 120 "$wine_loader" "$build/varnok.exe" import --wmo 10384 -o tempelhof.cli) \
    >"$scenario_dir/varnok.log" 2>&1
  for dpi in 96 144; do
    set_logpixels "$dpi"
    start_with_tempelhof
    # The page follows the window's size in 96-DPI units: the same at both.
    drive size-diagram $((380 * dpi / 96)) $((510 * dpi / 96))
    check "$dpi DPI: the caption gives the size in 96-DPI units" "$(drive main-caption)" "Climate diagram (380 x 510)"
    touch "$marker"
    sleep 1
    drive command "$IDM_PRINT"
    check "$dpi DPI: the print dialog" "$(drive wait-window Print 30000)" Print
    drive press Print "$IDOK"
    check_true "$dpi DPI: a PDF arrives from the print queue" wait_until 120 pdf_arrived "$queue_out" "$marker"
    pdf=$(newer_pdf "$queue_out" "$marker") && cp "$pdf" "$scenario_dir/printed-$dpi.pdf"
    pdftoppm -png -r 100 -singlefile "$scenario_dir/printed-$dpi.pdf" "$scenario_dir/printed-$dpi" 2>/dev/null
    drive command "$IDM_EXIT"
    wait_program_exit 60
  done
  local out="$build/screenshots/dpi" ae
  mkdir -p "$out"
  cp "$scenario_dir/printed-96.png" "$scenario_dir/printed-144.png" "$out/" 2>/dev/null
  ae=$(compare -metric AE -fuzz 1% "$scenario_dir/printed-144.png" "$scenario_dir/printed-96.png" null: 2>&1 | cut -d' ' -f1)
  check_true "the page printed at 144 DPI is the 96-DPI page ($ae pixels differ, at most $dpi_print_max_ae)" \
    test "${ae:-x}" -le "$dpi_print_max_ae" 2>/dev/null
}

run_dpi_scenarios() {
  xvfb_screen=2000x1400x24 run_scenario dpi scenario_dpi
  xvfb_screen=1920x1080x24 run_scenario zoom scenario_zoom
  xvfb_screen=2000x1400x24 run_scenario dpi_print scenario_dpi_print
}
