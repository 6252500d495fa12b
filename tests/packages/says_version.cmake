# A tool's --version prints "<name> <version>", the version the build worked
# out, and ends with status 0.
# Variables: PROGRAM, NAME, EMULATOR (empty natively), VERSION_FILE.
cmake_minimum_required(VERSION 3.25)
file(STRINGS "${VERSION_FILE}" version LIMIT_COUNT 1)
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" --version RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 100)
string(REPLACE "\r" "" out "${out}")
if(NOT status EQUAL 0 OR NOT out STREQUAL "${NAME} ${version}\n")
  message(FATAL_ERROR "${NAME} --version: expected '${NAME} ${version}' and status 0, got "
                      "'${out}' and status ${status}\n${err}")
endif()
