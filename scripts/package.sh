#!/usr/bin/env bash
# Builds the Windows release of Varnok 32 from the i686 build:
#   dist/varnok32-VERSION-win32.zip    the portable zip
#   dist/varnok32-VERSION-setup.exe    the installer (NSIS)
# Both hold Varnok32.exe, varnok.exe, the station database, README.txt,
# LICENSE.txt and DATA-SOURCES.txt; the zip holds them in one folder,
# varnok32-VERSION/, so that unpacking it in a Downloads folder leaves one
# folder there and nothing loose beside other downloads. The zip's entries carry fixed
# timestamps (the commit's time, or SOURCE_DATE_EPOCH), so two builds of
# the same commit give the same bytes.
#
#   bash scripts/package.sh [windows|windows64] [OUT_DIR]
#
# windows64 makes the same two files from the x86-64 build, the installer
# with `Target amd64-unicode` (varnok32-VERSION-win64.zip and
# varnok32-VERSION-win64-setup.exe): for tests under 64-bit Wine on machines
# that cannot run 32-bit code. It does not ship.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
kind=${1:-windows}
out=${2:-$here/dist}

case "$kind" in
  windows) suffix=win32; setup_suffix=setup; nsis_arch=() ;;
  windows64) suffix=win64; setup_suffix=win64-setup; nsis_arch=(-DAMD64) ;;
  *) echo "usage: package.sh [windows|windows64] [OUT_DIR]" >&2; exit 2 ;;
esac

bash scripts/setup.sh
version=$(sed -n 's/^project(Varnok32 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }
build=$(JOBS=${JOBS:-2} bash scripts/build.sh "$kind")

stage=$(mktemp -d "${TMPDIR:-/tmp}/varnok-package.XXXXXX")
trap 'rm -rf "$stage"' EXIT
cp "$build/app/Varnok32.exe" "$build/varnok.exe" "$stage/"
cp data/database/COUNTRY.DAT data/database/PRECIP.DAT data/database/TEMP.DAT data/database/WORLD.DAT "$stage/"
# Texts for Windows users: CRLF line ends; the non-ASCII one with a UTF-8
# byte order mark, so that every Notepad shows it right.
crlf() { sed -e "s/@VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/' "$1"; }
crlf installer/README.txt >"$stage/README.txt"
crlf LICENSE >"$stage/LICENSE.txt"
{ printf '\357\273\277'; crlf DATA-SOURCES.txt; } >"$stage/DATA-SOURCES.txt"

mkdir -p "$out"
zip_file="$out/varnok32-$version-$suffix.zip"
setup_file="$out/varnok32-$version-$setup_suffix.exe"
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 1767225600)}
python3 - "$stage" "$zip_file" "$epoch" "varnok32-$version/" <<'PY'
import os, sys, time, zipfile
stage, target, epoch, folder = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
names = ["Varnok32.exe", "varnok.exe", "COUNTRY.DAT", "PRECIP.DAT", "TEMP.DAT", "WORLD.DAT",
         "README.txt", "LICENSE.txt", "DATA-SOURCES.txt"]
stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
with zipfile.ZipFile(target + ".tmp", "w") as archive:
    info = zipfile.ZipInfo(folder, date_time=stamp)
    info.create_system = 0
    info.external_attr = 0x10           # MS-DOS directory
    archive.writestr(info, b"")
    for name in names:
        info = zipfile.ZipInfo(folder + name, date_time=stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0          # MS-DOS attributes
        info.external_attr = 0x20       # archive bit, no Unix mode
        with open(os.path.join(stage, name), "rb") as f:
            archive.writestr(info, f.read(), compresslevel=9)
os.replace(target + ".tmp", target)
PY

# The installer keeps the files' times: the same fixed time.
touch -d "@$epoch" "$stage"/*
# A file missing from the stage is an error of makensis: no installer then.
rm -f "$setup_file"
makensis -V2 -NOCD -DVERSION="$version" -DSOURCE="$stage" -DOUTFILE="$setup_file" "${nsis_arch[@]}" \
  installer/varnok32.nsi >"$stage/makensis.log" 2>&1 || {
  cat "$stage/makensis.log" >&2
  echo "package: the installer could not be built" >&2
  exit 1
}
echo "$zip_file"
echo "$setup_file"
