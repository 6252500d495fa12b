# OMBREL_REPRODUCIBLE: the same commit gives the same bytes, built in any
# folder at any time (the packages of tools/release).
#   - The source and build folders are recorded relative (in __FILE__, in
#     assertion texts and in debug information) instead of as absolute paths.
#   - Static libraries hold no times, owners or modes (ar's deterministic mode).
#   - Windows programs and DLLs carry no link time in their PE header. The
#     linker strips them (binutils' strip, as CPack runs it, would write a
#     time into the header).
#   - The times of the package files are the commit's (SOURCE_DATE_EPOCH, set
#     by tools/release and by CPack's project file, packaging/CPackProject.cmake).
option(OMBREL_REPRODUCIBLE "Build the same bytes from the same commit in any folder" OFF)
if(OMBREL_REPRODUCIBLE)
  add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=" "-ffile-prefix-map=${CMAKE_BINARY_DIR}/=")
  foreach(language C CXX)
    set(CMAKE_${language}_ARCHIVE_CREATE "<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${language}_ARCHIVE_APPEND "<CMAKE_AR> qD <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${language}_ARCHIVE_FINISH "<CMAKE_RANLIB> -D <TARGET>")
  endforeach()
  if(WIN32)
    add_link_options(-Wl,--no-insert-timestamp -s)
  endif()
endif()
