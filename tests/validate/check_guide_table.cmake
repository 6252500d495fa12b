# The guide's table of the validator's checks is what `ombrel-validate
# --list-checks` prints (under EMULATOR when cross-built): the table in the
# validator's code is the one the guide shows.
set(command ${PROGRAM} --list-checks)
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command} OUTPUT_VARIABLE table RESULT_VARIABLE result)
string(REPLACE "\r" "" table "${table}")
if(NOT result EQUAL 0 OR table STREQUAL "")
  message(FATAL_ERROR "--list-checks ended with ${result} and printed:\n${table}")
endif()
file(READ "${GUIDE}" guide)
string(FIND "${guide}" "${table}" at)
if(at LESS 0)
  message(FATAL_ERROR "the guide's table of checks differs from what --list-checks prints; "
    "put this in ${GUIDE}:\n${table}")
endif()
