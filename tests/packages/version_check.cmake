# The version a build states, from project(VERSION) and the commit, in a
# repository made here: before any release tag, at the release's tag, after
# it, with changes not yet committed, and on the way to the next version.
#
# Variables: WORK_DIR, SCRIPT (cmake/make_version.cmake).
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/repo")
set(repo "${WORK_DIR}/repo")

function(git)
  execute_process(COMMAND git -C "${repo}" -c user.name=Test -c user.email=test@invalid ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "git ${ARGN} failed: ${out}")
  endif()
  set(git_output "${out}" PARENT_SCOPE)
endfunction()

function(commit text)
  file(WRITE "${repo}/file.txt" "${text}\n")
  git(add file.txt)
  git(commit -q -m "${text}")
endfunction()

# expect_version(<project version> <expected, with HASH for the commit's name>)
function(expect_version project expected)
  git(rev-parse --short=12 HEAD)
  string(REPLACE "HASH" "${git_output}" expected "${expected}")
  execute_process(COMMAND ${CMAKE_COMMAND} "-DSOURCE_DIR=${repo}" "-DPROJECT_VERSION=${project}"
                          "-DHEADER=${WORK_DIR}/version.h" "-DTEXT=${WORK_DIR}/version.txt"
                          -P "${SCRIPT}" RESULT_VARIABLE status)
  file(STRINGS "${WORK_DIR}/version.txt" version)
  file(READ "${WORK_DIR}/version.h" header)
  if(NOT status EQUAL 0 OR NOT version STREQUAL expected)
    message(FATAL_ERROR "project version ${project}: expected '${expected}', got '${version}'")
  endif()
  string(FIND "${header}" "#define OMBREL_VERSION \"${expected}\"" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the header does not define OMBREL_VERSION as '${expected}':\n${header}")
  endif()
  message(STATUS "${project} -> ${version}: ok")
endfunction()

git(init -q)
commit(first)
commit(second)
expect_version(1.0.0 "1.0.0~dev.2.gHASH")
git(tag v1.0.0)
expect_version(1.0.0 "1.0.0")
file(WRITE "${repo}/file.txt" "changed\n")
expect_version(1.0.0 "1.0.0.dirty")
commit(third)
expect_version(1.0.0 "1.0.0+1.gHASH")
expect_version(1.1.0 "1.1.0~dev.1.gHASH")
git(tag -a v1.1.0 -m "1.1.0")
expect_version(1.1.0 "1.1.0")
# A tag that names no version is no release.
commit(fourth)
git(tag not-a-release)
expect_version(1.1.0 "1.1.0+1.gHASH")
