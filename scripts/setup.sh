#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test:
# the native and the MinGW-w64 toolchains (i686 for the program, x86-64
# for Wine on kernels that run no 32-bit code), clang with libFuzzer for
# the fuzz targets, GoogleTest, Wine, Xvfb, the tools the end-to-end tests
# drive the program with, a PDF printer (CUPS) for the print test, NSIS
# and zip for the release packages, a headless browser (Chromium) for
# the climate atlas page, and the Japanese and Russian locales, under
# which Wine runs the program with the ANSI code pages 932 and 1251.
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
  chromium locales
  libreoffice-draw
)

# The locales the code-page tests start Wine with (LANG=ja_JP.UTF-8 gives
# the ANSI code page 932, ru_RU.UTF-8 gives 1251).
locales=(ja_JP.UTF-8 ru_RU.UTF-8)
generate_locales() {
  local wanted=() l
  for l in "${locales[@]}"; do
    locale -a 2>/dev/null | grep -qix "$(sed 's/UTF-8/utf8/' <<<"$l")" || wanted+=("$l")
  done
  [ ${#wanted[@]} -eq 0 ] && return 0
  echo "setup: generating the locales ${wanted[*]}" >&2
  for l in "${wanted[@]}"; do
    as_root sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
  done
  as_root locale-gen >/dev/null
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  generate_locales
  exit 0
fi

echo "setup: installing ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
generate_locales
