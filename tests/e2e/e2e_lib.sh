# Shared by run_e2e.sh, release_test.sh and screenshot.sh: Wine, Xvfb, the
# test driver and the checks (counted in `passed` and `failed`). Source it
# after setting `build` (the Windows build folder) and `work` (a scratch
# folder). Every wait has a deadline; nothing sleeps and hopes.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
exe="$build/app/Varnok32.exe"
driver="$build/tests/e2e/varnok_e2e_driver.exe"
sample="$repo/data/database"

# The program's command and control ids by their names in its resource
# headers (IDM_PRINT, IDC_STATION_LIST, ...), as shell variables: the
# scenarios name an id, the headers define it.
load_resource_ids() {
  local header define name value
  for header in "$repo/resources/resource_ids.h" "$repo/resources/dialog_ids.h"; do
    while read -r define name value _; do
      [ "$define" = "#define" ] && [[ "$name" =~ ^ID[A-Z]?_[A-Z0-9_]+$ ]] && [[ "$value" =~ ^[0-9]+$ ]] || continue
      declare -g "$name=$value"
    done <"$header"
  done
}
load_resource_ids
IDOK=1 IDCANCEL=2  # the system's buttons of every dialog and message box

check() {  # check NAME ACTUAL EXPECTED
  if [ "$2" = "$3" ]; then
    echo "  ok    $1"
    passed=$((passed + 1))
  else
    echo "  FAIL  $1: got '$2', expected '$3'"
    failed=$((failed + 1))
  fi
}

check_true() {  # check_true NAME COMMAND...
  local name=$1; shift
  if "$@"; then check "$name" yes yes; else check "$name" no yes; fi
}

# The PE machine of the program decides the Wine loader: a 32-bit program
# needs the 32-bit loader (and a kernel that runs 32-bit code), a 64-bit
# one the 64-bit loader and a 64-bit prefix.
pe_machine() {
  local offset
  offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  od -An -t x2 -j $((offset + 4)) -N 2 "$1" | tr -d ' '
}

choose_wine() {
  case "$(pe_machine "$exe")" in
    014c)
      # Debian's real 32-bit loader; /usr/bin/wine is a script around it.
      wine_loader=/usr/lib/wine/wine
      [ -x "$wine_loader" ] || wine_loader=$(command -v wine || true)
      wine_arch=win32
      if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "e2e: this machine cannot run 32-bit programs (no 32-bit Wine loader or no" >&2
        echo "e2e: 32-bit support in the kernel); build with cmake/toolchain-mingw-x86_64.cmake" >&2
        return 1
      fi ;;
    8664)
      wine_loader=$(command -v wine64 || echo /usr/lib/wine/wine64)
      wine_arch=win64 ;;
    *) echo "e2e: $exe is not a Windows program" >&2; return 1 ;;
  esac
  [ -x "$wine_loader" ] || { echo "e2e: no Wine loader for $exe" >&2; return 1; }
  wineserver_bin=$(command -v wineserver || echo /usr/lib/wine/wineserver)
}

# Environment of every Wine process: no Mono or Gecko installer prompts,
# no debug chatter.
wine_env() {
  env ${program_locale:+LANG=$program_locale LC_ALL=$program_locale} WINEPREFIX="$prefix" WINEARCH="$wine_arch" WINELOADER="$wine_loader" DISPLAY=":$display" \
      WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$@"
}

# A free X display for this scenario, with its own Xvfb.
start_xvfb() {
  local n
  for n in $(seq 101 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${xvfb_screen:-1024x768x24}" -nolisten tcp >"$1/xvfb.log" 2>&1 &
    xvfb_pid=$!
    display=$n
    local deadline=$((SECONDS + 15))
    while [ ! -e "/tmp/.X11-unix/X$n" ]; do
      if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
        kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null
        continue 2
      fi
      sleep 0.1
    done
    return 0
  done
  echo "e2e: no free X display" >&2
  return 1
}

stop_xvfb() {
  [ -n "${xvfb_pid:-}" ] || return 0
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

# One initialised prefix per build folder and Wine architecture; every
# scenario runs in a fresh copy of it. The first run of a bare machine
# initialises it (a few minutes under load).
prepare_template_prefix() {
  template="$build/e2e-prefix-$wine_arch"
  [ -f "$template/system.reg" ] && [ -f "$template/.varnok-ready" ] && return 0
  rm -rf "$template"
  echo "e2e: initialising the Wine prefix $template" >&2
  local saved_prefix=${prefix:-}
  prefix=$template
  start_xvfb "$work" || return 1
  wine_env timeout 600 "$wine_loader" wineboot --init >"$work/wineboot.log" 2>&1
  local status=$?
  wine_env timeout 120 "$wineserver_bin" -w
  stop_xvfb
  prefix=$saved_prefix
  [ $status -eq 0 ] && [ -f "$template/system.reg" ] || { echo "e2e: wineboot failed (see $work/wineboot.log)" >&2; return 1; }
  touch "$template/.varnok-ready"
}

# A copy of the template prefix. Its system folder (most of its 700 MB,
# the DLLs that Wine installed and never writes again) is shared by hard
# links; the registry and everything else is copied.
copy_prefix() {
  local system=drive_c/windows/system32
  mkdir -p "$2" &&
    tar -C "$1" --exclude="./$system" -cf - . | tar -C "$2" -xf - &&
    { [ ! -d "$1/$system" ] || cp -al "$1/$system" "$2/$system"; }
}

# A scenario's own prefix, display and data folder.
scenario_setup() {
  scenario_dir="$work/$1"
  mkdir -p "$scenario_dir/data"
  prefix="$scenario_dir/prefix"
  copy_prefix "$template" "$prefix" && own_documents && start_xvfb "$scenario_dir"
}

# Wine links the user's Documents (and Desktop, ...) to the Unix home: in a
# scenario they are folders of its own prefix, so that what the program
# saves there stays in the scenario. Sets `documents` (the Unix path) and
# `documents_win` (the Windows path).
own_documents() {
  local home user folder
  for home in "$prefix"/drive_c/users/*; do
    user=$(basename "$home")
    [ "$user" = Public ] && continue
    for folder in Desktop Documents Downloads Music Pictures Videos; do
      if [ -L "$home/$folder" ]; then rm "$home/$folder"; fi
      mkdir -p "$home/$folder"
    done
    documents="$home/Documents"
    documents_win="C:\\users\\$user\\Documents"
  done
}

scenario_teardown() {
  if [ -n "${program_pid:-}" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null
  fi
  [ -n "${program_pid:-}" ] && wait "$program_pid" 2>/dev/null
  program_pid=
  wine_env timeout 30 "$wineserver_bin" -k >/dev/null 2>&1
  wine_env timeout 30 "$wineserver_bin" -w >/dev/null 2>&1
  stop_xvfb
  # Only a scenario's own copy, never the template.
  case "${prefix:-}" in
    "$work"/*) [ -n "${VARNOK_E2E_KEEP:-}" ] || rm -rf "$prefix" ;;
  esac
}

# The Windows path of a file in the scenario's data folder, for a file
# dialog: the dialogs start in the user's Documents folder, not here.
data_file() { echo "Z:$(tr / '\\' <<<"$scenario_dir/data/")$1"; }

# Starts the program in the scenario's data folder, with a hard time limit.
# `program_locale` (ja_JP.UTF-8, say) starts it under that locale, which
# gives Wine its ANSI code page.
start_program() {
  (cd "$scenario_dir/data" && exec env ${program_locale:+LANG=$program_locale LC_ALL=$program_locale} \
      WINEPREFIX="$prefix" WINEARCH="$wine_arch" WINELOADER="$wine_loader" \
      DISPLAY=":$display" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
      timeout "${1:-240}" "$wine_loader" "$exe" "${@:2}") >"$scenario_dir/program.log" 2>&1 &
  program_pid=$!
}

# Waits for the program to end and sets exit_code to its exit code, or
# to "timeout". Not for a command substitution: only this shell can wait
# for its own child.
wait_program_exit() {
  local deadline=$((SECONDS + $1))
  exit_code=timeout
  while kill -0 "$program_pid" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
  wait "$program_pid"
  exit_code=$?
  program_pid=
}

# Ends the program with its Exit command; sets exit_code.
exit_program() {
  drive command "$IDM_EXIT"
  wait_program_exit 60
}

# One step of the test driver, at most 60 seconds; output without CR.
drive() {
  wine_env timeout 60 "$wine_loader" "$driver" "$@" 2>>"$scenario_dir/driver.log" | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# Polls a condition command until it succeeds or the deadline passes.
wait_until() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}
