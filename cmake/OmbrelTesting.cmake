# GoogleTest: the system's package natively; built from Debian's sources for
# the Windows build, so the same tests run as Windows programs under wine.
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gmock PRIVATE -w)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# ombrel_add_gtest(<target> SOURCES <files...> [LIBRARIES <libs...>] [LABELS <labels...>])
# Natively every test case is its own CTest test; under wine one CTest test runs
# the whole program, since each start of a Windows program costs a second.
function(ombrel_add_gtest target)
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${target} ${T_SOURCES})
  target_link_libraries(${target} PRIVATE ${T_LIBRARIES} GTest::gtest_main)
  if(NOT T_LABELS)
    set(T_LABELS unit)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1
             WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
    set_tests_properties(${target} PROPERTIES LABELS "${T_LABELS}" TIMEOUT 600)
  else()
    gtest_discover_tests(${target}
      WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/bin"
      PROPERTIES LABELS "${T_LABELS}" TIMEOUT 300
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# ombrel_hunted_timeouts(): gives the tests of the calling folder the time
# limits the last flake hunt of this build's kind measured
# (tests/timeouts/<kind>.txt, written by tests/flake-hunt --timeouts): three
# times each test's slowest run with the machine loaded. A kind with no hunt
# yet, or a test it did not run, keeps the limit its folder gives it.
function(ombrel_hunted_timeouts)
  if(CMAKE_CROSSCOMPILING)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      set(kind windows64)
    else()
      set(kind windows)
    endif()
  elseif(OMBREL_SANITIZE)
    set(kind linux-asan)
  else()
    set(kind linux)
  endif()
  set(table "${PROJECT_SOURCE_DIR}/tests/timeouts/${kind}.txt")
  if(NOT EXISTS "${table}")
    return()
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${table}")
  file(STRINGS "${table}" rows REGEX "^[^#]")
  foreach(row IN LISTS rows)
    string(REGEX MATCH "^([^ ]+) ([0-9]+)$" found "${row}")
    if(found AND TEST "${CMAKE_MATCH_1}")
      set_tests_properties("${CMAKE_MATCH_1}" PROPERTIES TIMEOUT ${CMAKE_MATCH_2})
    endif()
  endforeach()
endfunction()
