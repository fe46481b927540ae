# Shared part of the MinGW-w64 toolchain files. The posix thread model is
# the one GoogleTest needs (std::mutex); everything is linked statically,
# so the .exe files need no DLL beside the system's. CTest runs the Windows
# test executables under Wine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VARNOK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARNOK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VARNOK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VARNOK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The x86-64 toolchain names the 64-bit loader itself: the `wine` command
# always takes the 32-bit one when wine32 is installed.
if(NOT DEFINED VARNOK_WINE)
  set(VARNOK_WINE wine)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${VARNOK_WINE})
