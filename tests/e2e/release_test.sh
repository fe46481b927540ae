#!/usr/bin/env bash
# The Windows release as a user gets it, under Wine and Xvfb:
#
#   tests/e2e/release_test.sh
#
# Builds the shipped packages (scripts/package.sh: the i686 zip and
# installer) and checks that two builds give the same bytes, that the
# version resource of the shipped executables is the CMake version, and
# that an installer with a file missing cannot be built. Then, in a fresh
# Wine prefix: the zip unpacked into a folder with a blank in its name and
# the program started there; the installer run with /S (files, Start menu
# shortcut and its working folder, .cli association, uninstall entry), the
# installed program started with a station file as the association starts
# it, and the uninstaller run with /S; /D= into another folder, a second run
# that updates that installation, and /D= into a folder of another
# program refused. Where this machine cannot run 32-bit
# code, the Wine part runs the x86-64 build packaged the same way (the
# installer with `Target amd64-unicode`) and says so. Every wait has a
# deadline; the last line reads "N passed, N failed".
set -u
repo=$(cd "$(dirname "$0")/../.." && pwd)
cd "$repo"
source scripts/wine_env.sh

passed=0
failed=0
program_pid=
xvfb_pid=
version=$(sed -n 's/^project(Varnok32 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# VARNOK_RELEASE_KIND=windows64 runs the Wine part on the x86-64 packages
# also where 32-bit Wine works.
kind=${VARNOK_RELEASE_KIND:-$(wine_build_kind)}
build=$(JOBS=2 bash scripts/build.sh "$kind") || { echo "release: build failed"; echo "0 passed, 1 failed"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/varnok-release.XXXXXX")
source tests/e2e/e2e_lib.sh
source tests/e2e/dialog_scenarios.sh  # emf_texts, emf_shows, save_metafile

cleanup() {
  scenario_teardown >/dev/null 2>&1
  [ -n "${VARNOK_E2E_KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "release: interrupted" >&2; exit 130' INT TERM

files=(Varnok32.exe varnok.exe COUNTRY.DAT PRECIP.DAT TEMP.DAT WORLD.DAT README.txt LICENSE.txt DATA-SOURCES.txt)

# ------------------------------------------------------------ the packages

echo "packages (i686, as shipped)"
shipped=$(bash scripts/package.sh windows "$work/dist1" 2>"$work/package.log")
check "package.sh builds the zip and the installer" "$(basename -a $shipped 2>/dev/null | tr '\n' ' ')" \
  "varnok32-$version-win32.zip varnok32-$version-setup.exe "
again=$(bash scripts/package.sh windows "$work/dist2" 2>>"$work/package.log")
check_true "a second build gives the same zip" cmp -s "$work/dist1/varnok32-$version-win32.zip" \
  "$work/dist2/varnok32-$version-win32.zip"
check_true "and the same installer" cmp -s "$work/dist1/varnok32-$version-setup.exe" \
  "$work/dist2/varnok32-$version-setup.exe"
# One folder, varnok32-VERSION/, with the release files in it: nothing
# unpacks loose into a Downloads folder.
folder="varnok32-$version"
check "the zip holds the folder $folder/ and exactly the release files in it" \
  "$(unzip -Z1 "$work/dist1/varnok32-$version-win32.zip" 2>/dev/null | tr '\n' ' ')" \
  "$folder/ $(printf "$folder/%s " "${files[@]}")"
crlf_only() { python3 -c 'import sys; d = sys.stdin.buffer.read(); sys.exit(d.count(b"\n") != d.count(b"\r\n") or not d)'; }
for f in README.txt LICENSE.txt DATA-SOURCES.txt; do
  check_true "$f: CRLF line ends" crlf_only < <(unzip -p "$work/dist1/varnok32-$version-win32.zip" "$folder/$f")
done

# The version resource of the shipped executables, as the resource compiler reads it back.
mkdir -p "$work/shipped"
(cd "$work/shipped" && unzip -qj "$work/dist1/varnok32-$version-win32.zip" "$folder/Varnok32.exe" "$folder/varnok.exe")
rc_value() { i686-w64-mingw32-windres -i "$1" -O rc 2>/dev/null | sed -n "s/.*VALUE \"$2\", \"\(.*\)\"/\1/p"; }
for f in Varnok32.exe varnok.exe; do
  check "$f (i686): FileVersion" "$(rc_value "$work/shipped/$f" FileVersion)" "$version"
  check "$f (i686): ProductVersion" "$(rc_value "$work/shipped/$f" ProductVersion)" "$version"
  check "$f (i686): OriginalFilename" "$(rc_value "$work/shipped/$f" OriginalFilename)" "$f"
  check "$f (i686): FILEVERSION" "$(i686-w64-mingw32-windres -i "$work/shipped/$f" -O rc 2>/dev/null |
    sed -n 's/^ *FILEVERSION \(.*\)/\1/p' | tr -d ' ')" "${version//./,},0"
done

# An installer with a file missing must not be built.
mkdir -p "$work/broken"
(cd "$work/broken" && unzip -q "$work/dist1/varnok32-$version-win32.zip" && rm "$folder/TEMP.DAT")
makensis -V1 -NOCD -DVERSION="$version" -DSOURCE="$work/broken/$folder" -DOUTFILE="$work/broken-setup.exe" \
  installer/varnok32.nsi >"$work/broken.log" 2>&1
check_true "makensis fails when a file is missing" test $? -ne 0 -a ! -e "$work/broken-setup.exe"

if [ "$kind" = windows64 ]; then
  [ -n "${VARNOK_RELEASE_KIND:-}" ] || echo "release: this machine cannot run 32-bit code:"
  echo "release: the Wine tests below run the x86-64 build,"
  echo "release: packaged the same way (the same NSIS script with Target amd64-unicode)"
  packages=$(bash scripts/package.sh windows64 "$work/dist64" 2>>"$work/package.log")
  zip_file=$(sed -n 1p <<<"$packages")
  setup_file=$(sed -n 2p <<<"$packages")
else
  zip_file="$work/dist1/varnok32-$version-win32.zip"
  setup_file="$work/dist1/varnok32-$version-setup.exe"
fi
check_true "packages for the Wine tests" test -f "$zip_file" -a -f "$setup_file"

# ------------------------------------------------------------ helpers

# Starts EXE with ARGS in the folder CWD, as Explorer would, with a time limit.
start_in() {  # start_in CWD EXE [ARGS...]
  local cwd=$1; shift
  (cd "$cwd" && exec env WINEPREFIX="$prefix" WINEARCH="$wine_arch" WINELOADER="$wine_loader" \
      DISPLAY=":$display" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
      timeout 240 "$wine_loader" "$@") >>"$scenario_dir/program.log" 2>&1 &
  program_pid=$!
}

# Runs a Windows program to its end and waits for every process it left
# (the uninstaller goes on in a copy of itself).
run_to_end() {  # run_to_end SECONDS EXE [ARGS...]
  local seconds=$1; shift
  wine_env env WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" timeout "$seconds" "$wine_loader" "$@" \
    >>"$scenario_dir/program.log" 2>&1
  local status=$?
  wine_env timeout "$seconds" "$wineserver_bin" -w
  return $status
}

reg_query() {  # exit code 0 only when the key (or value) is there
  wine_env timeout 60 "$wine_loader" reg query "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
reg_value() {  # reg_value KEY NAME: the data of one value ("" for the default)
  local out
  if [ -z "$2" ]; then out=$(reg_query "$1" /ve); else out=$(reg_query "$1" /v "$2"); fi
  sed -n 's/^ *[^ ].*  *REG_[A-Z_]*  *\(.*\)$/\1/p' <<<"$out" | head -1
}

station_number_at() {  # station_number_at FILE INDEX: the WMO number of a station record
  dd if="$1" bs=1 skip=$(( $2 * 1338 + 4 )) count=8 2>/dev/null | tr -d ' \0'
}

# ------------------------------------------------------------ Wine

if ! choose_wine || ! prepare_template_prefix; then
  echo "$passed passed, $((failed + 1)) failed"
  exit 1
fi

echo "scenario portable_zip"
if scenario_setup portable_zip; then
  downloads="$scenario_dir/Downloads"
  mkdir -p "$downloads" && (cd "$downloads" && unzip -q "$zip_file")
  check "unpacked: one folder and nothing beside it" "$(ls -A "$downloads" | tr '\n' ' ')" \
    "$(basename "$zip_file" .zip | sed 's/-win\(32\|64\)$//') "
  # The user renames it to a name with a blank.
  portable="$scenario_dir/Varnok 32 portable"
  mv "$downloads"/varnok32-* "$portable"
  start_in "$portable" "$portable/Varnok32.exe"
  check "unzipped: the main window appears" \
    "$(drive wait-window "Climate diagram (" 60000 | cut -c1-17)" "Climate diagram ("
  check "the status text" "$(drive status)" "Varnok 32 - climate diagram"
  exit_program
  check "Exit ends it with code 0" "$exit_code" 0
  # The shipped stations, through the command-line tool beside the program.
  records=$(( $(stat -c %s "$portable/PRECIP.DAT") / 1338 ))
  check_true "PRECIP.DAT holds stations ($records)" test "$records" -gt 0
  for index in 0 $((records - 1)); do
    number=$(station_number_at "$portable/PRECIP.DAT" "$index")
    found=$(cd "$portable" && wine_env timeout 60 "$wine_loader" "$portable/varnok.exe" find --wmo "$number" 2>&1 |
      tr -d '\r')
    check_true "varnok.exe find --wmo $number: $found" test -n "$found" -a "${found#*not}" = "$found"
  done
  # Started from another folder (a station file double-clicked there): the
  # database beside the program is used.
  mkdir -p "$scenario_dir/elsewhere"
  start_in "$scenario_dir/elsewhere" "$portable/Varnok32.exe"
  check "started elsewhere: the main window appears" \
    "$(drive wait-window "Climate diagram (" 60000 | cut -c1-17)" "Climate diagram ("
  exit_program
  check "and ends with code 0" "$exit_code" 0
else
  check "portable_zip: setup" failed ok
fi
scenario_teardown

echo "scenario installer"
if scenario_setup installer; then
  run_to_end 300 "$setup_file" /S
  check "setup /S ends with code 0" "$?" 0
  install_dir="C:\\Program Files\\Varnok 32"
  installed="$prefix/drive_c/Program Files/Varnok 32"
  missing=""
  for f in "${files[@]}" uninstall.exe; do [ -f "$installed/$f" ] || missing+="$f "; done
  check "the installed files" "$missing" ""
  check_true "the installed program is the packaged one" cmp -s "$installed/Varnok32.exe" \
    <(unzip -p "$zip_file" "$folder/Varnok32.exe")
  programs="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
  check_true "Start menu shortcut \"Varnok 32\"" test -f "$programs/Varnok 32.lnk"
  check "its working folder is the install folder" \
    "$(python3 tests/e2e/shortcut_info.py "$programs/Varnok 32.lnk" 2>/dev/null | sed -n 's/^working_dir=//p')" \
    "$install_dir"

  classes='HKLM\Software\Classes'
  check ".cli association" "$(reg_value "$classes\\.cli" "")" "Varnok32.StationFile"
  check "its type name" "$(reg_value "$classes\\Varnok32.StationFile" "")" "Varnok 32 station file"
  check "its icon" "$(reg_value "$classes\\Varnok32.StationFile\\DefaultIcon" "")" "$install_dir\\Varnok32.exe,0"
  open_command=$(reg_value "$classes\\Varnok32.StationFile\\shell\\open\\command" "")
  check "its open command" "$open_command" "\"$install_dir\\Varnok32.exe\" \"%1\""

  uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnok 32'
  check "uninstall entry: DisplayName" "$(reg_value "$uninstall_key" DisplayName)" "Varnok 32"
  check "DisplayVersion" "$(reg_value "$uninstall_key" DisplayVersion)" "$version"
  check "Publisher" "$(reg_value "$uninstall_key" Publisher)" "The Varnok 32 developers"
  check "DisplayIcon" "$(reg_value "$uninstall_key" DisplayIcon)" "$install_dir\\Varnok32.exe,0"
  check "UninstallString" "$(reg_value "$uninstall_key" UninstallString)" "\"$install_dir\\uninstall.exe\""
  check "QuietUninstallString" "$(reg_value "$uninstall_key" QuietUninstallString)" \
    "\"$install_dir\\uninstall.exe\" /S"
  size_kb=$(( $(reg_value "$uninstall_key" EstimatedSize) ))
  check_true "EstimatedSize in KB ($size_kb)" test "$size_kb" -ge $(( $(du -sk "$installed" | cut -f1) / 2 ))

  # The version resource as Explorer reads it.
  versions=$(drive version "$install_dir\\Varnok32.exe")
  check "installed Varnok32.exe: FILEVERSION" "$(sed -n 's/^FILEVERSION //p' <<<"$versions")" "$version.0"
  check "ProductVersion" "$(sed -n 's/^ProductVersion=//p' <<<"$versions")" "$version"
  check "ProductName" "$(sed -n 's/^ProductName=//p' <<<"$versions")" "Varnok 32"
  check "OriginalFilename" "$(sed -n 's/^OriginalFilename=//p' <<<"$versions")" "Varnok32.exe"
  check "installed varnok.exe: FileVersion" \
    "$(drive version "$install_dir\\varnok.exe" | sed -n 's/^FileVersion=//p')" "$version"

  # A station file double-clicked in Documents: the program starts there
  # with the file as its argument, the database comes from its own folder.
  docs_dir="$prefix/drive_c/users/Public/Documents/My stations"
  docs="C:\\users\\Public\\Documents\\My stations"
  mkdir -p "$docs_dir"
  cp tests/golden/berlin.cli "$docs_dir/Berlin station.cli"
  station=$(dd if="$docs_dir/Berlin station.cli" bs=1 count=24 2>/dev/null | tr -d '\0' | sed 's/ *$//')
  start_in "$docs_dir" "$installed/Varnok32.exe" "$docs\\Berlin station.cli"
  check "opened by its association: the main window" \
    "$(drive wait-window "Climate diagram (" 60000 | cut -c1-17)" "Climate diagram ("
  drive command "$IDM_SAVE_WINDOW_CONTENT"
  drive file-dialog "Save window content" "$docs\\shown.emf"
  wait_until 30 emf_has_text "$docs_dir/shown.emf" "mm"
  check_true "the diagram shows the station $station" emf_shows "$docs_dir/shown.emf" "$station"
  exit_program
  check "and ends with code 0" "$exit_code" 0

  # A short file given so is refused with the open command's message.
  head -c 100 /dev/zero >"$docs_dir/short.cli"
  start_in "$docs_dir" "$installed/Varnok32.exe" "$docs\\short.cli"
  check "a short station file is reported" "$(drive wait-window "Varnok 32" 60000)" "Varnok 32"
  check_true "the message names the file" grep -q "short.cli" <(drive texts "Varnok 32")
  drive press "Varnok 32" "$IDOK"
  check "then the program shows its window" \
    "$(drive wait-window "Climate diagram (" 60000 | cut -c1-17)" "Climate diagram ("
  exit_program

  # Uninstall: everything the installer made goes, what the user made stays.
  echo "user's own" >"$installed/mine.cli"
  run_to_end 300 "$install_dir\\uninstall.exe" /S
  left=""
  for f in "${files[@]}" uninstall.exe; do [ -e "$installed/$f" ] && left+="$f "; done
  check "uninstall /S removes the installed files" "$left" ""
  check_true "and keeps the user's file" test -f "$installed/mine.cli"
  check_true "the shortcut is gone" test ! -e "$programs/Varnok 32.lnk"
  check "the association is gone" "$(reg_query "$classes\\.cli" >/dev/null && echo left)" ""
  check "the file type is gone" "$(reg_query "$classes\\Varnok32.StationFile" >/dev/null && echo left)" ""
  check "the uninstall entry is gone" "$(reg_query "$uninstall_key" >/dev/null && echo left)" ""

  # /D= installs into another folder. (It must stand unquoted, and Wine
  # quotes an argument with a blank, so the folder has none.)
  run_to_end 300 "$setup_file" /S "/D=C:\\Tools\\Varnok32"
  check_true "/D= installs into that folder" test -f "$prefix/drive_c/Tools/Varnok32/Varnok32.exe"
  check "and registers it" "$(reg_value "$uninstall_key" DisplayIcon)" "C:\\Tools\\Varnok32\\Varnok32.exe,0"
  # A second run finds the first installation and updates it there.
  tools="$prefix/drive_c/Tools/Varnok32"
  : >"$tools/README.txt"
  echo "user's own" >"$tools/mine.cli"
  run_to_end 300 "$setup_file" /S
  check "a second run ends with code 0" "$?" 0
  check_true "and updates the first installation (its README.txt whole again)" cmp -s "$tools/README.txt" \
    <(unzip -p "$zip_file" "$folder/README.txt")
  check_true "instead of installing into Program Files" test ! -e "$installed/Varnok32.exe"
  check_true "keeping the user's file" test -f "$tools/mine.cli"
  rm "$tools/mine.cli"
  run_to_end 300 "C:\\Tools\\Varnok32\\uninstall.exe" /S
  check_true "whose uninstaller removes the folder" test ! -e "$prefix/drive_c/Tools/Varnok32"

  # /D= into a folder of something else is refused with a message; nothing is installed.
  other="$prefix/drive_c/Tools/Other"
  mkdir -p "$other" && echo "another program's" >"$other/README.txt"
  start_in "$prefix/drive_c" "$setup_file" "/D=C:\\Tools\\Other"
  refusal=$(drive wait-window "Varnok 32 $version Setup" 60000)
  check "/D= into another program's folder: a message" "$refusal" "Varnok 32 $version Setup"
  check_true "which says why" grep -q "holds files that Varnok 32 did not install" <(drive texts "Varnok 32 $version Setup")
  drive press "Varnok 32 $version Setup" "$IDOK"
  wait_program_exit 60
  check "the installer ends with code 2" "$exit_code" 2
  check "nothing installed there" "$(ls -A "$other" | tr '\n' ' ')" "README.txt "
  check "its file untouched" "$(cat "$other/README.txt")" "another program's"
  run_to_end 300 "$setup_file" /S "/D=C:\\Tools\\Other"
  check "silent too: code 2" "$?" 2
  check "and nothing installed" "$(ls -A "$other" | tr '\n' ' ')" "README.txt "
else
  check "installer: setup" failed ok
fi
scenario_teardown

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
