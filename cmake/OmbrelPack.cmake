# ombrel_add_pack(<target> OUTPUT_NAME <name> SOURCES <files...> [LIBRARIES <libs...>])
# (Installed with the SDK as part of the Ombrel CMake package.)
# Builds a plugin pack: a shared library named <name>.dll or <name>.so (no "lib"
# prefix), linked with the foundation library, that exports only the four entry
# points (and the exception type's identity on Linux). With the installed SDK
# it also gives the pack a target <target>-live: the pack in a copy of the
# installed demo under ombrel-live, built and reloaded on every change of its
# sources (OmbrelLive.cmake).
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
  if(OMBREL_DEMO_DIR)
    ombrel_add_live_target(${target})
  endif()
endfunction()

function(ombrel_add_live_target target)
  set(runner "")
  set(rebuild ON)
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_HOST_WIN32)
    # A Windows program built here runs under wine (64-bit wine's loader for
    # the 64-bit build), whose shell cannot start this system's build tools:
    # the author builds, the session takes the new file.
    find_program(OMBREL_WINE NAMES wine)
    set(runner ${OMBREL_WINE})
    if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND EXISTS /usr/lib/wine/wine64)
      set(runner /usr/lib/wine/wine64)
    endif()
    set(rebuild OFF)
  endif()
  # Elsewhere than on Windows the script leaves the session's command for sh,
  # so that the session is the target's own command, on the terminal.
  set(run_script "")
  if(NOT CMAKE_HOST_WIN32)
    set(run_script COMMAND sh "${CMAKE_CURRENT_BINARY_DIR}/${target}-live.sh")
  endif()
  add_custom_target(${target}-live
    COMMAND ${CMAKE_COMMAND} "-DDEMO=${OMBREL_DEMO_DIR}"
            "-DLIVE_DEMO=${CMAKE_CURRENT_BINARY_DIR}/${target}-live" "-DPACK=$<TARGET_FILE:${target}>"
            "-DBUILD_DIR=${CMAKE_BINARY_DIR}" "-DTARGET=${target}"
            "-DSOURCES=${CMAKE_CURRENT_SOURCE_DIR}" "-DCMAKE=${CMAKE_COMMAND}" "-DRUNNER=${runner}"
            "-DREBUILD=${rebuild}"
            -P "${OMBREL_LIVE_SCRIPT}"
    ${run_script}
    DEPENDS ${target}
    USES_TERMINAL VERBATIM
    COMMENT "ombrel-live with ${target}")
endfunction()
