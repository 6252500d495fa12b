# Runs the inspector (under EMULATOR when cross-built) with ARGUMENT and checks
# its exit status against STATUS and that every line of the file EXPECTED is a
# line of its output (standard output and standard error together). An empty
# ARGUMENT runs it without one.
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/run_checked_program.cmake")
run_checked_program(output_lines ${ARGUMENT})
file(STRINGS "${EXPECTED}" expected_lines)
foreach(line IN LISTS expected_lines)
  list(FIND output_lines "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "missing line: '${line}'")
  endif()
endforeach()
