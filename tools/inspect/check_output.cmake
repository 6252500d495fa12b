# Runs the inspector (under EMULATOR when cross-built) with ARGUMENT and checks
# its exit status against STATUS and that every line of the file EXPECTED is a
# line of its output (standard output and standard error together).
set(command ${PROGRAM})
if(EMULATOR)
  set(command ${EMULATOR} ${PROGRAM})
endif()
if(ARGUMENT STREQUAL "")
  execute_process(COMMAND ${command} OUTPUT_VARIABLE output ERROR_VARIABLE output
                  RESULT_VARIABLE result)
else()
  execute_process(COMMAND ${command} ${ARGUMENT} OUTPUT_VARIABLE output ERROR_VARIABLE output
                  RESULT_VARIABLE result)
endif()
string(REPLACE "\r" "" output "${output}")
message("${output}")

if(NOT result STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${result}, expected ${STATUS}")
endif()
file(STRINGS "${EXPECTED}" expected_lines)
string(REPLACE ";" "\\;" escaped "${output}")
string(REPLACE "\n" ";" output_lines "${escaped}")
foreach(line IN LISTS expected_lines)
  list(FIND output_lines "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "missing line: '${line}'")
  endif()
endforeach()
