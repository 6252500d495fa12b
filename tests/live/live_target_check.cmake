# The -live target's script, as the target runs it (cmake/OmbrelLive.cmake):
# it copies the demo with the pack in place and leaves the session's command
# for sh, so that the session runs on the target's terminal; every argument
# reaches the program as it was, quotes and spaces in paths too.
#
# Variables: SCRIPT (OmbrelLive.cmake), WORK_DIR.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK_DIR}")
set(demo "${WORK_DIR}/demo")
set(live "${WORK_DIR}/the author's build/pack-live")
file(MAKE_DIRECTORY "${demo}" "${WORK_DIR}/the author's build")
# A stand-in for the program: it prints its arguments, one a line.
file(WRITE "${demo}/ombrel-live" "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done\n")
file(CHMOD "${demo}/ombrel-live" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
file(WRITE "${WORK_DIR}/the author's build/Vantrope.so" "pack")

set(ENV{OMBREL_LIVE_ARGS} "--start 3")
execute_process(COMMAND "${CMAKE_COMMAND}" "-DDEMO=${demo}" "-DLIVE_DEMO=${live}"
  "-DPACK=${WORK_DIR}/the author's build/Vantrope.so" "-DBUILD_DIR=${WORK_DIR}/b"
  -DTARGET=pack "-DSOURCES=${WORK_DIR}/src" "-DCMAKE=${CMAKE_COMMAND}" -DRUNNER= -DREBUILD=ON
  -P "${SCRIPT}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT EXISTS "${live}/Vantrope.so")
  message(FATAL_ERROR "the -live script failed (${status}) or put no pack in place:\n${out}")
endif()
execute_process(COMMAND sh "${live}.sh" RESULT_VARIABLE status OUTPUT_VARIABLE said)
set(build "\"${CMAKE_COMMAND}\" --build \"${WORK_DIR}/b\" --target pack && cp -f \"${WORK_DIR}/the author's build/Vantrope.so\" \"${live}/Vantrope.so\"")
set(expected "[--demo]\n[${live}]\n[--build]\n[${build}]\n[--sources]\n[${WORK_DIR}/src]\n[--start]\n[3]\n")
if(NOT status EQUAL 0 OR NOT said STREQUAL expected)
  message(FATAL_ERROR "the session's command lost its arguments (${status}):\n${said}\n"
                      "expected:\n${expected}")
endif()
message(STATUS "the session's command keeps every argument")
