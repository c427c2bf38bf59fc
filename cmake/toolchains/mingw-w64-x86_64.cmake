# Toolchain for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(L3XML_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# The test programs run under wine (Debian's wine64 package installs it outside the PATH).
find_program(L3XML_WINE64 NAMES wine64 PATHS /usr/lib/wine)
if(L3XML_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${L3XML_WINE64})
endif()
