# The README shows what `PROGRAM --help` prints, as an indented block: the
# usage text is written once, in the program, and the README follows it.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE usage RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "--help ended with ${result}")
endif()
string(REGEX REPLACE "\n$" "" usage "${usage}")
string(REPLACE "\n" "\n    " block "    ${usage}")
string(REPLACE "\n    \n" "\n\n" block "${block}")
file(READ "${README}" readme)
string(FIND "${readme}" "${block}\n" at)
if(at LESS 0)
  message(FATAL_ERROR "README.md does not show what --help prints; put this in it:\n${block}")
endif()
