# For the check scripts that run one of our programs and read what it printed.
#
# run_checked_program(<lines variable> <arguments...>): runs PROGRAM (under
# EMULATOR when cross-built) with the arguments, shows what it printed
# (standard output, then standard error, without carriage returns), and stops
# the check unless it ended with exit status STATUS. Leaves what it printed in
# the lines variable, as a list of lines.
function(run_checked_program lines_variable)
  execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGN} OUTPUT_VARIABLE output
                  ERROR_VARIABLE errors RESULT_VARIABLE result)
  set(output "${output}${errors}")
  string(REPLACE "\r" "" output "${output}")
  message("${output}")
  if(NOT result STREQUAL STATUS)
    message(FATAL_ERROR "exit status ${result}, expected ${STATUS}")
  endif()
  string(REPLACE ";" "\\;" escaped "${output}")
  string(REPLACE "\n" ";" lines "${escaped}")
  set(${lines_variable} "${lines}" PARENT_SCOPE)
endfunction()
