# cmake --install puts under the prefix:
#   <runtime folder>/   the program, its packs, the pack inspector and validator, the video
#                       capture program, Data/ and on
#                       Windows the C++ runtime DLLs: a folder that runs as it is
#   include/ombrel/     the contract headers and the foundation headers
#   lib/                the static foundation library
#   lib/cmake/Ombrel/   the CMake package: find_package(Ombrel) and ombrel_add_pack()
#
# The target `sdk` builds what the install puts in place and nothing else, so
# that `cmake --build <build> --target sdk` followed by `cmake --install` gives
# the SDK and the demo without building the tests, benchmarks and fuzz targets.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(OMBREL_RUNTIME_FOLDER "demo" CACHE STRING "Folder under the prefix that holds the runnable demo")

add_custom_target(sdk)
add_dependencies(sdk ombrel_foundation)

set_target_properties(ombrel_foundation PROPERTIES EXPORT_NAME foundation)
install(TARGETS ombrel_foundation EXPORT OmbrelTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY "${PROJECT_SOURCE_DIR}/foundation/" DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ombrel/foundation
        FILES_MATCHING PATTERN "*.h")
# The contract a pack includes (contract.h and the headers it pulls in); the
# host's own plugin framework stays out.
install(FILES "${PROJECT_SOURCE_DIR}/plugin/contract.h" "${PROJECT_SOURCE_DIR}/plugin/argument_slots.h"
              "${PROJECT_SOURCE_DIR}/plugin/scalar_value.h"
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ombrel/plugin)

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Ombrel)
install(EXPORT OmbrelTargets NAMESPACE Ombrel:: DESTINATION ${config_dir})
configure_package_config_file("${PROJECT_SOURCE_DIR}/cmake/OmbrelConfig.cmake.in"
  "${CMAKE_BINARY_DIR}/OmbrelConfig.cmake" INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file("${CMAKE_BINARY_DIR}/OmbrelConfigVersion.cmake"
  COMPATIBILITY SameMajorVersion)
install(FILES "${CMAKE_BINARY_DIR}/OmbrelConfig.cmake" "${CMAKE_BINARY_DIR}/OmbrelConfigVersion.cmake"
              "${PROJECT_SOURCE_DIR}/cmake/OmbrelPack.cmake"
        DESTINATION ${config_dir})
if(WIN32)
  # The Windows SDK carries the cross toolchain file its library was built with
  # (toolchain-mingw-i686.cmake or toolchain-mingw-x86_64.cmake).
  install(FILES "${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-${OMBREL_MINGW_ARCH}.cmake"
                "${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw.cmake"
          DESTINATION ${config_dir})
endif()

# The runnable demo folder.
set(demo_targets solvara kestrelia vantrope ombrel-inspect ombrel-validate ombrel-capture)
install(TARGETS ${demo_targets}
        RUNTIME DESTINATION ${OMBREL_RUNTIME_FOLDER}
        LIBRARY DESTINATION ${OMBREL_RUNTIME_FOLDER})
add_dependencies(sdk ${demo_targets})
install(DIRECTORY "${PROJECT_SOURCE_DIR}/Data" DESTINATION ${OMBREL_RUNTIME_FOLDER})
if(OMBREL_RUNTIME_DLLS)
  install(FILES ${OMBREL_RUNTIME_DLLS} DESTINATION ${OMBREL_RUNTIME_FOLDER})
endif()
