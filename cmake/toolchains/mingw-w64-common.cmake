# Cross compiling for Windows with Debian's mingw-w64 compilers; included by the per-architecture
# toolchain files, which set L3XML_MINGW_TRIPLE first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: the win32 one of this compiler has no std::mutex.
set(CMAKE_C_COMPILER ${L3XML_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${L3XML_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${L3XML_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${L3XML_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${L3XML_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libgcc, libstdc++, winpthread) is linked into every binary, so that the
# DLLs and the test programs run with no other file beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
