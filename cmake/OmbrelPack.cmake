# ombrel_add_pack(<target> OUTPUT_NAME <name> SOURCES <files...> [LIBRARIES <libs...>])
# (Installed with the SDK as part of the Ombrel CMake package.)
# Builds a plugin pack: a shared library named <name>.dll or <name>.so (no "lib"
# prefix), linked with the foundation library, that exports only the four entry
# points (and the exception type's identity on Linux).
if(NOT OMBREL_FOUNDATION_TARGET)
  set(OMBREL_FOUNDATION_TARGET ombrel_foundation)
endif()

function(ombrel_add_pack target)
  cmake_parse_arguments(PACK "" "OUTPUT_NAME" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT PACK_OUTPUT_NAME)
    set(PACK_OUTPUT_NAME ${target})
  endif()
  add_library(${target} MODULE ${PACK_SOURCES})
  target_link_libraries(${target} PRIVATE ${OMBREL_FOUNDATION_TARGET} ${PACK_LIBRARIES})
  # The language level the host and the foundation library are built with.
  target_compile_features(${target} PRIVATE cxx_std_17)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${PACK_OUTPUT_NAME}
    SUFFIX ${OMBREL_PACK_SUFFIX}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    # No @N decoration on the exported names.
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  elseif(NOT OMBREL_SANITIZE AND NOT OMBREL_FUZZ)
    # Report a missing symbol when the pack links, not when the host loads it.
    # (Sanitizer runtimes live in the program, so sanitized packs skip this.)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
