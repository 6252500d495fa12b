# Cross build for 32-bit Windows with the mingw-w64 i686 toolchain.
set(OMBREL_MINGW_ARCH i686)
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake")
