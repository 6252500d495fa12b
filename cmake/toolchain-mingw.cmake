# Cross build for Windows with the mingw-w64 toolchain of OMBREL_MINGW_ARCH
# (i686 or x86_64), set by the toolchain file that includes this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${OMBREL_MINGW_ARCH})
set(OMBREL_MINGW_TRIPLET ${OMBREL_MINGW_ARCH}-w64-mingw32)
# The posix thread model: GoogleTest and the music layer need std::mutex.
set(CMAKE_C_COMPILER ${OMBREL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OMBREL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${OMBREL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${OMBREL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The shared runtime DLLs of the toolchain (posix threads).
file(GLOB OMBREL_MINGW_RUNTIME_DIR LIST_DIRECTORIES true /usr/lib/gcc/${OMBREL_MINGW_TRIPLET}/*-posix)
set(OMBREL_MINGW_RUNTIME_DIR "${OMBREL_MINGW_RUNTIME_DIR}" CACHE PATH "mingw runtime DLL folder")
# Tests run as Windows programs under wine (32-bit or 64-bit, as the program is).
# (The copy of this file in the installed SDK has no runner beside it.)
if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run")
endif()
