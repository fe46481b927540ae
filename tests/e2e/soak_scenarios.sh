# The soak test and the failed save on a full disk. Sourced by run_e2e.sh,
# which provides check, drive, run_scenario and the scenario folders;
# run_soak_scenarios runs them.

# Many actions in a seeded random order (tests/e2e/driver/soak.cpp): the
# program stays alive, answers each within 2 seconds, and holds as many
# GDI objects at the end as after start-up. VARNOK_SOAK_SEED replays a run,
# VARNOK_SOAK_ACTIONS changes its length, VARNOK_SOAK_LIMIT_MS the time limit.
scenario_soak() {
  local seed=${VARNOK_SOAK_SEED:-20261207} count=${VARNOK_SOAK_ACTIONS:-2000}
  local limit=${VARNOK_SOAK_LIMIT_MS:-2000}
  copy_sample
  mkdir -p "$scenario_dir/data/soak"
  # The display has no window manager: Wine's windows are made unmanaged,
  # as they are on a desktop whose manager leaves them alone. Managed, every
  # window hidden (each closed dialog) waits 2 seconds for a manager's
  # answer that never comes, and the test would time Wine, not the program.
  wine_env timeout 60 "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  start_program 3600
  drive wait-window "Climate diagram (" 60000 >/dev/null
  local folder status output
  folder="Z:$(tr / '\\' <<<"$scenario_dir/data/soak")"
  wine_env timeout 3000 "$wine_loader" "$driver" soak "$seed" "$count" "$folder" "$limit" \
    >"$scenario_dir/soak.out" 2>"$scenario_dir/soak.log"
  status=$?
  output=$(tr -d '\r' <"$scenario_dir/soak.out" | tail -1)
  echo "    ${output:-soak: no result (seed $seed)}"
  [ "$status" = 0 ] || tail -3 "$scenario_dir/soak.log" | tr -d '\r' | sed 's/^/    last: /'
  check "soak of $count actions, seed $seed" "$status" 0
  check_true "the program is still running" kill -0 "$program_pid"
  check "no temporary file is left" "$(find "$scenario_dir/data" -name '*.tmp' | wc -l)" 0
}

# A small file system of fixed size, or, where none can be mounted, a
# folder without write permission (which root would ignore).
make_full_folder() {  # make_full_folder DIR: sets full_kind
  mkdir -p "$1"
  if mount -t tmpfs -o size=256k tmpfs "$1" 2>/dev/null; then
    full_kind=tmpfs
    full_mount=$1
  elif [ "$(id -u)" != 0 ]; then
    full_kind=read-only
  else
    full_kind=
  fi
}

fill_folder() {  # fill_folder DIR: no space left, or no writing at all
  case "$full_kind" in
    tmpfs) dd if=/dev/zero of="$1/filler" bs=4k 2>/dev/null; true ;;
    read-only) chmod a-w "$1" ;;
  esac
}

# A metafile saved over one that exists, on a full disk: the failure is
# reported, the old file keeps every byte, and no temporary file is left.
scenario_save_full_disk() {
  copy_sample
  full_mount=
  make_full_folder "$scenario_dir/data/full"
  if [ -z "$full_kind" ]; then
    echo "    skipped: no tmpfs can be mounted here and root ignores a read-only folder"
    return 0
  fi
  start_program
  drive wait-window "Climate diagram (" 60000 >/dev/null
  local target="$scenario_dir/data/full/window.emf"
  drive command 13
  drive file-dialog "Save window content" "$(data_file 'full\window.emf')"
  check_true "a first save ($full_kind)" wait_until 30 emf_has_text "$target" mm
  cp "$target" "$scenario_dir/before.emf"
  fill_folder "$scenario_dir/data/full"
  drive send-command 22  # the table: other content
  drive command 13
  drive file-dialog "Save window content" "$(data_file 'full\window.emf')"
  failure_shown() {
    drive texts "Save window content" 2>/dev/null | grep -q "could not be saved to '.*window.emf'"
  }
  check_true "the failure is reported, naming the file" wait_until 30 failure_shown
  drive press "Save window content" 1
  check_true "the old file is byte for byte as it was" cmp -s "$target" "$scenario_dir/before.emf"
  check "no temporary file is left" "$(find "$scenario_dir/data/full" -name '*.tmp' | wc -l)" 0
  check_true "the program goes on" caption_matches_diagram
  scenario_teardown
  [ "$full_kind" = read-only ] && chmod u+w "$scenario_dir/data/full"
  [ -n "$full_mount" ] && umount "$full_mount"
}

run_soak_scenarios() {
  run_scenario save_full_disk scenario_save_full_disk
  run_scenario soak scenario_soak
}
