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
