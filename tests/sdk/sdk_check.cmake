# The pack SDK from an outside author's seat: installs the build that runs this
# check into a fresh prefix, builds the template pack from the prefix's copy
# with nothing but find_package(Ombrel), puts it into the installed demo
# folder, and loads it there with the installed inspector and validator and
# through the plugin framework (the template pack's test program, copied
# beside it).
#
# Variables: BUILD_DIR, WORK_DIR, GENERATOR, PACK_FILE, INSPECTOR, VALIDATOR, LOADER,
# DEMO_FILES (what the installed demo folder must hold, separated by commas),
# CROSS (a Windows build: cross-compile with the SDK's toolchain file TOOLCHAIN
# and run programs under EMULATOR), CXX_COMPILER (the native build's compiler).
cmake_minimum_required(VERSION 3.25)

set(prefix "${WORK_DIR}/prefix")
set(pack_build "${WORK_DIR}/pack-build")
set(demo "${prefix}/demo")
set(config_dir "${prefix}/lib/cmake/Ombrel")

# run(<what> <working dir> <command...>): runs a step, bounded in time, and
# stops the check with the step's output when it fails. Leaves the output in
# `output`.
function(run what dir)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${dir}" RESULT_VARIABLE result
                  OUTPUT_VARIABLE out ERROR_VARIABLE out TIMEOUT 300)
  string(REPLACE "\r" "" out "${out}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}")
  endif()
  message(STATUS "${what}: ok")
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

run("install into ${prefix}" "${WORK_DIR}" "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}")

# The demo folder runs as it is: program, packs, music, inspector, and on
# Windows the runtime the program and every pack share.
string(REPLACE "," ";" demo_files "${DEMO_FILES}")
foreach(file IN LISTS demo_files)
  if(NOT EXISTS "${demo}/${file}")
    message(FATAL_ERROR "the installed demo folder lacks ${file}")
  endif()
endforeach()

set(configure "${CMAKE_COMMAND}" -S "${prefix}/share/ombrel/template-pack" -B "${pack_build}"
    -G "${GENERATOR}" -DCMAKE_BUILD_TYPE=Release)
if(CROSS)
  # The cross toolchain searches for packages under the target's root only,
  # so the package folder is named directly.
  list(APPEND configure "-DCMAKE_TOOLCHAIN_FILE=${config_dir}/${TOOLCHAIN}"
       "-DOmbrel_DIR=${config_dir}")
  set(runner ${EMULATOR})
else()
  list(APPEND configure "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}")
  set(runner "")
endif()
run("configure the template pack against the SDK" "${WORK_DIR}" ${configure})
run("build the template pack" "${WORK_DIR}" "${CMAKE_COMMAND}" --build "${pack_build}")

# Nothing of the source tree may leak into the outside build: its headers,
# libraries and CMake files all come from the prefix.
get_filename_component(source_dir "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
file(READ "${pack_build}/CMakeCache.txt" cache)
file(READ "${pack_build}/build.ninja" rules)
foreach(folder examples foundation plugin cmake)
  string(FIND "${cache}${rules}" "${source_dir}/${folder}/" leak)
  if(NOT leak EQUAL -1)
    message(FATAL_ERROR "the outside build refers to ${source_dir}/${folder}")
  endif()
endforeach()

file(COPY "${pack_build}/${PACK_FILE}" "${LOADER}" DESTINATION "${demo}")
get_filename_component(loader_name "${LOADER}" NAME)

run("inspect ${PACK_FILE}" "${demo}" ${runner} "${demo}/${INSPECTOR}" "${PACK_FILE}")
# The inspector prints what the guide, as installed, says it prints.
file(READ "${prefix}/share/ombrel/writing-a-pack.md" guide)
string(REGEX MATCH "<!-- inspector output -->\n```text\n([^`]*)```" block "${guide}")
if(NOT CMAKE_MATCH_1)
  message(FATAL_ERROR "the installed guide shows no inspector output")
endif()
string(REPLACE "\n" ";" expected_lines "${CMAKE_MATCH_1}")
foreach(line IN LISTS expected_lines)
  string(FIND "${output}" "${line}\n" found)
  if(NOT line STREQUAL "" AND found EQUAL -1)
    message(FATAL_ERROR "the inspector's report lacks the line '${line}':\n${output}")
  endif()
endforeach()

if(VALIDATOR)
  # The installed validator passes the pack built outside the tree.
  run("validate ${PACK_FILE}" "${demo}" ${runner} "${demo}/${VALIDATOR}" --strictness 5 "${PACK_FILE}")
endif()

run("load ${PACK_FILE} through the plugin framework" "${demo}" ${runner} "${demo}/${loader_name}"
    --gtest_brief=1)
message(STATUS "${output}")
