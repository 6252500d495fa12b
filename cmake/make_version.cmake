# Works out the version of the build from project(VERSION) and the commit being
# built, and writes it where the programs and the packages take it from:
#   HEADER  ombrel_version.h, `#define OMBREL_VERSION "..."`
#   TEXT    the version alone, for the package names
# Each is rewritten only when the version changed, so that a build between two
# commits recompiles nothing when the version stays.
#
# The version is PROJECT_VERSION at the commit tagged v<PROJECT_VERSION> with
# nothing changed. Between releases it says so, from `git describe`:
#   1.1.0~dev.12.g0123456789ab   12 commits on the way to 1.1.0 (after the last
#                                tag, or from the first commit when none)
#   1.0.0+3.g0123456789ab        3 commits after the release 1.0.0, before the
#                                project's version was raised
#   ....dirty                    built with uncommitted changes
# "~" sorts before the release and "+" after it, for dpkg as for a reader.
# OVERRIDE, when set, is taken as it is (a build from a source archive without
# its history).
#
# Variables: SOURCE_DIR, PROJECT_VERSION, HEADER, TEXT, OVERRIDE.
cmake_minimum_required(VERSION 3.25)

function(git result)
  execute_process(COMMAND git -C "${SOURCE_DIR}" ${ARGN} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(status EQUAL 0)
    set(${result} "${out}" PARENT_SCOPE)
  else()
    set(${result} "" PARENT_SCOPE)
  endif()
endfunction()

set(version "${OVERRIDE}")
if(version STREQUAL "")
  # A fixed length of the commit's name: git's own choice grows with the size of
  # the repository, and two clones of one commit must name it alike.
  git(described describe --tags --match "v[0-9]*" --long --abbrev=12 --dirty=.dirty)
  if(described MATCHES "^v(.+)-([0-9]+)-g([0-9a-f]+)(\\.dirty)?$")
    set(tag "${CMAKE_MATCH_1}")
    set(distance "${CMAKE_MATCH_2}")
    set(commit "${CMAKE_MATCH_3}")
    set(dirty "${CMAKE_MATCH_4}")
  else()
    git(described describe --always --abbrev=12 --dirty=.dirty)
    git(distance rev-list --count HEAD)
    set(tag "")
    if(described MATCHES "^([0-9a-f]+)(\\.dirty)?$")
      set(commit "${CMAKE_MATCH_1}")
      set(dirty "${CMAKE_MATCH_2}")
    endif()
  endif()
  if(NOT commit)
    set(version "${PROJECT_VERSION}~unknown")
  elseif(tag STREQUAL PROJECT_VERSION AND distance EQUAL 0)
    set(version "${PROJECT_VERSION}${dirty}")
  elseif(tag STREQUAL PROJECT_VERSION)
    set(version "${PROJECT_VERSION}+${distance}.g${commit}${dirty}")
  else()
    set(version "${PROJECT_VERSION}~dev.${distance}.g${commit}${dirty}")
  endif()
endif()

function(write_if_changed file content)
  file(WRITE "${file}.new" "${content}")
  file(COPY_FILE "${file}.new" "${file}" ONLY_IF_DIFFERENT)
  file(REMOVE "${file}.new")
endfunction()

write_if_changed("${HEADER}" "// Made by the build (cmake/make_version.cmake).
#pragma once
#define OMBREL_VERSION \"${version}\"
")
write_if_changed("${TEXT}" "${version}\n")
