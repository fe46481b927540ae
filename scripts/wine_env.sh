# Sourced by the scripts that run Windows programs: picks the Windows build
# that this machine's Wine can run. The program ships as the i686 build; a
# kernel without 32-bit support (no IA32 emulation) cannot start 32-bit Wine,
# and there the x86-64 build of the same sources runs under 64-bit Wine.

# Prints "windows" when 32-bit Wine can start here, else "windows64".
wine_build_kind() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo windows
  else
    echo windows64
  fi
}

# The Wine loader for a build kind: the `wine` command always takes the
# 32-bit loader when wine32 is installed, so the 64-bit one is named.
wine_loader() {  # wine_loader KIND
  if [ "$1" = windows64 ]; then echo /usr/lib/wine/wine64; else command -v wine; fi
}
