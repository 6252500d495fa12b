# Writes the files of the packages that carry the version (at build time, as
# the version is worked out then): the read-mes from their templates, and on
# Linux the Debian changelog and the manual pages, compressed as Debian wants
# them (gzip -9n: no name, no time, the same bytes from the same text).
# The changelog's date is the commit's (SOURCE_DATE_EPOCH when set).
#
# Variables: CONFIG, a file made by OmbrelPackage.cmake from
# packaging/package_files_config.cmake.in.
cmake_minimum_required(VERSION 3.25)
include("${CONFIG}")
file(STRINGS "${VERSION_FILE}" OMBREL_VERSION LIMIT_COUNT 1)
if(WINDOWS)
  set(OMBREL_RUNTIME_PACKAGES "solvara-${OMBREL_VERSION}-${OMBREL_PLATFORM}.zip")
else()
  set(OMBREL_RUNTIME_PACKAGES "solvara-${OMBREL_VERSION}-${OMBREL_PLATFORM}.tar.gz or
  solvara_${OMBREL_VERSION}_amd64.deb")
endif()

foreach(pair IN LISTS TEMPLATES)
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 template)
  list(GET pair 1 output)
  configure_file("${template}" "${OUTPUT_DIR}/${output}" @ONLY)
  if(WINDOWS)
    # Windows line ends, for Notepad.
    file(READ "${OUTPUT_DIR}/${output}" text)
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE "${OUTPUT_DIR}/${output}" "${text}")
  endif()
endforeach()

# gzip_file(<input> <output>)
function(gzip_file input output)
  execute_process(COMMAND gzip -9n -c "${input}" OUTPUT_FILE "${output}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${input}")
  endif()
endfunction()

foreach(page IN LISTS MAN_PAGES)
  get_filename_component(name "${page}" NAME)
  gzip_file("${page}" "${OUTPUT_DIR}/${name}.gz")
endforeach()

if(NOT WINDOWS)
  if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C "${SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(epoch)
      set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
    endif()
  endif()
  # string(TIMESTAMP) takes SOURCE_DATE_EPOCH when it is set.
  string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  execute_process(COMMAND git -C "${SOURCE_DIR}" rev-parse --short=12 HEAD
                  OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT commit)
    set(commit "unknown")
  endif()
  file(WRITE "${OUTPUT_DIR}/changelog" "solvara (${OMBREL_VERSION}) unstable; urgency=medium

  * Built from the Ombrel project's commit ${commit}.

 -- ${OMBREL_PACKAGE_CONTACT}  ${date}
")
  gzip_file("${OUTPUT_DIR}/changelog" "${OUTPUT_DIR}/changelog.gz")
endif()
