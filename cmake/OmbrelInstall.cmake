# cmake --install puts under the prefix two components:
#   runtime   the runnable demo folder: the program, its packs, the programs
#             beside it (inspector, validator, video capture, live
#             development), Data/ and on
#             Windows the C++ runtime DLLs, a folder that runs as it is
#   sdk       include/ombrel/ (the contract and foundation headers), lib/ (the
#             static foundation library), lib/cmake/Ombrel/ (the CMake package:
#             find_package(Ombrel) and ombrel_add_pack(), and on Windows the
#             cross toolchain file), share/ombrel/ (examples and guide)
#
# The demo folder is <prefix>/demo, unless the build makes the packages users
# download (OMBREL_PACKAGE, see OmbrelPackage.cmake): then it is the archive's
# top folder on Windows, and lib/solvara on Linux, with launchers in bin/, the
# desktop entry, icon, manual pages and documents under share/.
#
# The target `sdk` builds what the install puts in place and nothing else, so
# that `cmake --build <build> --target sdk` followed by `cmake --install` gives
# the SDK and the demo without building the tests, benchmarks and fuzz targets.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

option(OMBREL_PACKAGE "Install in the layout of the packages users download (tools/release)" OFF)
if(NOT DEFINED OMBREL_RUNTIME_FOLDER)
  if(OMBREL_PACKAGE AND WIN32)
    set(OMBREL_RUNTIME_FOLDER ".")
  elseif(OMBREL_PACKAGE)
    set(OMBREL_RUNTIME_FOLDER "lib/solvara")
  else()
    set(OMBREL_RUNTIME_FOLDER "demo")
  endif()
endif()

add_custom_target(sdk)
add_dependencies(sdk ombrel_foundation)

# ombrel_pack_program(<target> [LAUNCHER <script>])
# Puts a program into the demo folder of the install and of every package, and
# has the target `sdk` build it. On Linux the packages start it from bin/: by
# <script> (a launcher in cmake/packaging) when given, else by a link to it.
function(ombrel_pack_program target)
  cmake_parse_arguments(PROGRAM "" "LAUNCHER" "" ${ARGN})
  install(TARGETS ${target} RUNTIME DESTINATION ${OMBREL_RUNTIME_FOLDER} COMPONENT runtime)
  add_dependencies(sdk ${target})
  if(NOT OMBREL_PACKAGE OR WIN32)
    return()
  endif()
  set(name $<TARGET_FILE_NAME:${target}>)
  if(PROGRAM_LAUNCHER)
    install(PROGRAMS "${PROJECT_SOURCE_DIR}/cmake/packaging/${PROGRAM_LAUNCHER}"
            DESTINATION bin RENAME ${target} COMPONENT runtime)
  else()
    # A relative link, so that the tree works under any prefix.
    install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
      file(CREATE_LINK \"../${OMBREL_RUNTIME_FOLDER}/${name}\"
           \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${name}\" SYMBOLIC)"
            COMPONENT runtime)
  endif()
endfunction()

# The SDK.
set_target_properties(ombrel_foundation PROPERTIES EXPORT_NAME foundation)
install(TARGETS ombrel_foundation EXPORT OmbrelTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        COMPONENT sdk)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/foundation/" DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ombrel/foundation
        COMPONENT sdk FILES_MATCHING PATTERN "*.h")
# The contract a pack includes (contract.h and the headers it pulls in), and
# argument_list.h beside it, with which a pack writes its arguments; the
# host's own plugin framework stays out.
install(FILES "${PROJECT_SOURCE_DIR}/plugin/contract.h" "${PROJECT_SOURCE_DIR}/plugin/argument_slots.h"
              "${PROJECT_SOURCE_DIR}/plugin/scalar_value.h" "${PROJECT_SOURCE_DIR}/plugin/argument_list.h"
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ombrel/plugin COMPONENT sdk)

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Ombrel)
install(EXPORT OmbrelTargets NAMESPACE Ombrel:: DESTINATION ${config_dir} COMPONENT sdk)
configure_package_config_file("${PROJECT_SOURCE_DIR}/cmake/OmbrelConfig.cmake.in"
  "${CMAKE_BINARY_DIR}/OmbrelConfig.cmake" INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file("${CMAKE_BINARY_DIR}/OmbrelConfigVersion.cmake"
  COMPATIBILITY SameMajorVersion)
install(FILES "${CMAKE_BINARY_DIR}/OmbrelConfig.cmake" "${CMAKE_BINARY_DIR}/OmbrelConfigVersion.cmake"
              "${PROJECT_SOURCE_DIR}/cmake/OmbrelPack.cmake"
              "${PROJECT_SOURCE_DIR}/cmake/OmbrelLive.cmake"
        DESTINATION ${config_dir} COMPONENT sdk)
if(WIN32)
  # The Windows SDK carries the cross toolchain file its library was built with
  # (toolchain-mingw-i686.cmake or toolchain-mingw-x86_64.cmake).
  install(FILES "${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-${OMBREL_MINGW_ARCH}.cmake"
                "${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw.cmake"
          DESTINATION ${config_dir} COMPONENT sdk)
endif()

# The runnable demo folder: the program, its packs, the programs beside it.
ombrel_pack_program(solvara LAUNCHER solvara-launcher)
ombrel_pack_program(ombrel-capture LAUNCHER ombrel-capture-launcher)
ombrel_pack_program(ombrel-validate)
ombrel_pack_program(ombrel-inspect)
ombrel_pack_program(ombrel-live)
install(TARGETS kestrelia vantrope
        RUNTIME DESTINATION ${OMBREL_RUNTIME_FOLDER} COMPONENT runtime
        LIBRARY DESTINATION ${OMBREL_RUNTIME_FOLDER} COMPONENT runtime)
add_dependencies(sdk kestrelia vantrope)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/Data" DESTINATION ${OMBREL_RUNTIME_FOLDER} COMPONENT runtime)
if(OMBREL_RUNTIME_DLLS)
  install(FILES ${OMBREL_RUNTIME_DLLS} DESTINATION ${OMBREL_RUNTIME_FOLDER} COMPONENT runtime)
endif()

if(OMBREL_PACKAGE)
  include(OmbrelPackage)
endif()
