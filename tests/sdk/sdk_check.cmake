# The pack SDK from an outside author's seat: installs the build that runs this
# check into a fresh prefix, builds the template pack from the prefix's copy
# with nothing but find_package(Ombrel), puts it into the installed demo
# folder, and loads it there with the installed inspector and validator and
# through the plugin framework (the template pack's test program, copied
# beside it). Then builds the example scene pack the same way and leaves a
# copy of the demo folder with it in place of Vantrope, in
# WORK_DIR/scene-demo, for the demo to run.
#
# Variables: BUILD_DIR, WORK_DIR, GENERATOR, PACK_FILE, SCENE_PACK_FILE, INSPECTOR,
# VALIDATOR, LOADER, DEMO_FILES (what the installed demo folder must hold,
# separated by commas), CROSS (a Windows build: cross-compile with the SDK's
# toolchain file TOOLCHAIN and run programs under EMULATOR), CXX_COMPILER (the native
# build's compiler).
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

if(CROSS)
  # The cross toolchain searches for packages under the target's root only,
  # so the package folder is named directly.
  set(sdk_options "-DCMAKE_TOOLCHAIN_FILE=${config_dir}/${TOOLCHAIN}"
      "-DOmbrel_DIR=${config_dir}")
  set(runner ${EMULATOR})
else()
  set(sdk_options "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}")
  set(runner "")
endif()
get_filename_component(source_dir "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)

# build_example(<what> <folder under share/ombrel> <build folder>): configures
# and builds an example from the prefix's copy, and checks that nothing of the
# source tree leaked into the outside build: its headers, libraries and CMake
# files all come from the prefix.
function(build_example what folder build)
  run("configure ${what} against the SDK" "${WORK_DIR}" "${CMAKE_COMMAND}"
      -S "${prefix}/share/ombrel/${folder}" -B "${build}" -G "${GENERATOR}"
      -DCMAKE_BUILD_TYPE=Release ${sdk_options})
  run("build ${what}" "${WORK_DIR}" "${CMAKE_COMMAND}" --build "${build}")
  file(READ "${build}/CMakeCache.txt" cache)
  file(READ "${build}/build.ninja" rules)
  foreach(part examples foundation plugin cmake)
    string(FIND "${cache}${rules}" "${source_dir}/${part}/" leak)
    if(NOT leak EQUAL -1)
      message(FATAL_ERROR "the outside build of ${what} refers to ${source_dir}/${part}")
    endif()
  endforeach()
endfunction()

build_example("the template pack" template-pack "${pack_build}")
# Each pack gets a target that runs it live in a copy of the installed demo.
run("list the template pack's targets" "${WORK_DIR}" "${CMAKE_COMMAND}" --build "${pack_build}"
    --target help)
string(FIND "${output}" "template_pack-live" live_target)
if(live_target EQUAL -1)
  message(FATAL_ERROR "the SDK gave the template pack no template_pack-live target:\n${output}")
endif()

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

# The example scene pack, put in place of Vantrope in a copy of the demo.
set(scene_build "${WORK_DIR}/scene-build")
set(scene_demo "${WORK_DIR}/scene-demo")
build_example("the example scene pack" scene-pack "${scene_build}")
file(COPY "${demo}/" DESTINATION "${scene_demo}")
file(COPY "${scene_build}/${SCENE_PACK_FILE}" DESTINATION "${scene_demo}")
run("inspect the example scene pack" "${scene_demo}" ${runner} "${scene_demo}/${INSPECTOR}"
    "${SCENE_PACK_FILE}")
foreach(line "Pack: ExampleScene" "  0: out COctreeScene scene" "  3: in bool english")
  string(FIND "${output}" "${line}\n" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the example scene pack is not what the demo needs:\n${output}")
  endif()
endforeach()
