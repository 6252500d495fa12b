# Cross build for 32-bit Windows with the mingw-w64 i686 toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
# The posix thread model: GoogleTest and the music layer need std::mutex.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The shared runtime DLLs of the toolchain (dw2 exceptions, posix threads).
file(GLOB OMBREL_MINGW_RUNTIME_DIR LIST_DIRECTORIES true /usr/lib/gcc/i686-w64-mingw32/*-posix)
set(OMBREL_MINGW_RUNTIME_DIR "${OMBREL_MINGW_RUNTIME_DIR}" CACHE PATH "mingw runtime DLL folder")
# Tests run as Windows programs under 32-bit wine.
# (The copy of this file in the installed SDK has no runner beside it.)
if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/wine-run")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run")
endif()
