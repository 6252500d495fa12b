# A pack's -live target (installed with the SDK): copies the installed demo
# into the pack's build folder with the pack in place, and runs ombrel-live on
# that copy. A pack named as one of the demo's (Vantrope, Kestrelia) takes that
# one's place; any other takes the scene pack's place, Vantrope's. Every change under the pack's sources builds the pack again and
# copies it into the demo, where ombrel-live puts it in place while it runs:
# saving a source file is the author's only step.
#
# Variables: DEMO (the installed demo folder), LIVE_DEMO (the copy), PACK (the
# pack file the build writes), BUILD_DIR and TARGET (how to build it again),
# SOURCES (the folder whose changes build it), CMAKE (the cmake program),
# RUNNER (empty, or the program that runs a Windows program here: wine),
# REBUILD (OFF where the session cannot run the build: under wine, where the
# author builds the pack and copies it in).
# OMBREL_LIVE_ARGS in the environment: more options for ombrel-live, such as
# "--start 30 --loop 30-40".
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${DEMO}/ombrel-live" AND NOT EXISTS "${DEMO}/ombrel-live.exe")
  message(FATAL_ERROR "No ombrel-live in ${DEMO}: configure the pack with "
                      "-DOMBREL_DEMO_DIR=<the folder of the program and its packs>")
endif()
get_filename_component(pack_name "${PACK}" NAME)
get_filename_component(suffix "${PACK}" LAST_EXT)
if(NOT pack_name MATCHES "^(Vantrope|Kestrelia)\\.")
  set(pack_name "Vantrope${suffix}")
endif()
file(REMOVE_RECURSE "${LIVE_DEMO}")
file(COPY "${DEMO}/" DESTINATION "${LIVE_DEMO}")
file(COPY_FILE "${PACK}" "${LIVE_DEMO}/${pack_name}")

set(program "${LIVE_DEMO}/ombrel-live")
if(EXISTS "${program}.exe")
  set(program "${program}.exe")
endif()
# The build runs in the system's shell (cmd on Windows, sh elsewhere): both
# read double quotes and && alike. The copy is sh's own cp where there is sh:
# a second start of cmake costs more than the copy, on every save.
if(CMAKE_HOST_WIN32)
  set(copy "\"${CMAKE}\" -E copy")
else()
  set(copy "cp -f")
endif()
set(build "\"${CMAKE}\" --build \"${BUILD_DIR}\" --target ${TARGET} && ${copy} \"${PACK}\" \"${LIVE_DEMO}/${pack_name}\"")
separate_arguments(more UNIX_COMMAND "$ENV{OMBREL_LIVE_ARGS}")
if(REBUILD)
  set(rebuilding --build "${build}" --sources "${SOURCES}")
  message(STATUS "ombrel-live on ${LIVE_DEMO}: edit and save under ${SOURCES}; Escape ends")
else()
  set(rebuilding "")
  message(STATUS "ombrel-live on ${LIVE_DEMO}: build with ${build}; Escape ends")
endif()
set(command ${RUNNER} "${program}" --demo "${LIVE_DEMO}" ${rebuilding} ${more})
if(NOT CMAKE_HOST_WIN32)
  # The session's status line needs the terminal, which the target's own
  # commands get (USES_TERMINAL) and execute_process would put pipes before:
  # the target's next command runs this script, written for sh.
  set(line "")
  foreach(argument IN LISTS command)
    string(REPLACE "'" "'\\''" argument "${argument}")
    string(APPEND line " '${argument}'")
  endforeach()
  string(REPLACE "'" "'\\''" folder "${LIVE_DEMO}")
  file(WRITE "${LIVE_DEMO}.sh" "cd '${folder}' && exec${line}\n")
  return()
endif()
# cmd has no exec: the session's output comes through pipes, one plain line
# for each change of its status.
execute_process(COMMAND ${command} WORKING_DIRECTORY "${LIVE_DEMO}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ombrel-live ended with status ${status}")
endif()
