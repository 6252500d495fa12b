# Runs the validator (under EMULATOR when cross-built) with ARGUMENTS, and
# checks its exit status against STATUS and that every regular expression in
# EXPECT matches a line of its report. Both lists come joined by "~~".
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/run_checked_program.cmake")
string(REPLACE "~~" ";" arguments "${ARGUMENTS}")
string(REPLACE "~~" ";" expected "${EXPECT}")
run_checked_program(lines ${arguments})
foreach(pattern IN LISTS expected)
  set(found OFF)
  foreach(line IN LISTS lines)
    if(line MATCHES "${pattern}")
      set(found ON)
      break()
    endif()
  endforeach()
  if(NOT found)
    message(FATAL_ERROR "no line of the report matches '${pattern}'")
  endif()
endforeach()
