# Cross build for 64-bit Windows with the mingw-w64 x86_64 toolchain.
set(OMBREL_MINGW_ARCH x86_64)
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake")
