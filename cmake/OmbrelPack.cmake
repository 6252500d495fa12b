# ombrel_add_pack(<target> OUTPUT_NAME <name> SOURCES <files...> [LIBRARIES <libs...>])
# Builds a plugin pack: a shared library named <name>.dll or <name>.so (no "lib"
# prefix), linked with the foundation library, that exports only the four entry
# points (and the exception type's identity on Linux).
function(ombrel_add_pack target)
  cmake_parse_arguments(PACK "" "OUTPUT_NAME" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT PACK_OUTPUT_NAME)
    set(PACK_OUTPUT_NAME ${target})
  endif()
  add_library(${target} MODULE ${PACK_SOURCES})
  target_link_libraries(${target} PRIVATE ombrel_foundation ${PACK_LIBRARIES})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${PACK_OUTPUT_NAME}
    SUFFIX ${OMBREL_PACK_SUFFIX}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    # No @N decoration on the exported names.
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  else()
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
