#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test:
# the native and the MinGW-w64 toolchains (i686 for the program, x86-64
# for Wine on kernels that run no 32-bit code), clang with libFuzzer for
# the fuzz targets, GoogleTest, Wine, Xvfb, the tools the end-to-end tests
# drive the program with, a PDF printer (CUPS) for the print test, NSIS
# and zip for the release packages, and a headless browser (Chromium) for
# the climate atlas page.
# Idempotent, and quiet when everything is already there.
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev python3
  clang libclang-rt-14-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb xdotool imagemagick librsvg2-bin iso-codes
  cups printer-driver-cups-pdf poppler-utils
  nsis zip unzip
  chromium
  libreoffice-draw
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
