# The same sources built for 64-bit Windows. Used to run the Windows tests
# under Wine on machines whose kernel cannot execute 32-bit code (and so
# cannot run 32-bit Wine); the shipped program is the i686 build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VARNOK_MINGW_PREFIX x86_64-w64-mingw32)
set(VARNOK_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
