# The packages users download, made by CPack from the install (tools/release
# builds them; `cpack` in a build folder configured with OMBREL_PACKAGE=ON
# makes them on its own):
#   Windows  solvara-<version>-windows-<x86|x64>.zip       the demo folder
#            ombrel-sdk-<version>-windows-<x86|x64>.zip    the SDK
#   Linux    solvara_<version>_amd64.deb                   /usr/lib/solvara, bin/, share/
#            solvara-<version>-linux-x86_64.tar.gz         the same tree, for any prefix
#            ombrel-sdk-<version>-linux-x86_64.tar.gz      the SDK
# The version is worked out at build time (OmbrelVersion.cmake) and taken by
# CPack from the build, through packaging/CPackProject.cmake.
set(OMBREL_PACKAGE_CONTACT "Ombrel maintainers <maintainers@ombrel.example>"
    CACHE STRING "The maintainer named in the Debian package")

set(packaging_source "${PROJECT_SOURCE_DIR}/cmake/packaging")
set(packaging_build "${CMAKE_BINARY_DIR}/packaging")

if(WIN32)
  get_filename_component(OMBREL_LIBGCC_DLL_NAME "${OMBREL_LIBGCC_DLL}" NAME)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(OMBREL_PLATFORM_TAG windows-x64)
    set(OMBREL_PLATFORM_NAME "Windows, 64-bit (x64)")
    set(OMBREL_ARCH_NOTE "This is the 64-bit program: it runs on 64-bit Windows only. The 32-bit
program (the windows-x86 archive) runs on every Windows.")
    set(OMBREL_PACK_MATCH "the 64-bit program loads 64-bit packs only.")
  else()
    set(OMBREL_PLATFORM_TAG windows-x86)
    set(OMBREL_PLATFORM_NAME "Windows, 32-bit (x86)")
    set(OMBREL_ARCH_NOTE "This is the 32-bit program: it runs on every Windows, 32-bit or 64-bit.")
    set(OMBREL_PACK_MATCH "the 32-bit program loads 32-bit packs only.")
  endif()
  set(OMBREL_TOOLCHAIN_NOTE "
                         toolchain-mingw-${OMBREL_MINGW_ARCH}.cmake, the cross toolchain file
                         of the mingw-w64 compilers the SDK was built with")
  set(OMBREL_SDK_BUILD "With mingw-w64 (Debian: g++-mingw-w64-${OMBREL_MINGW_ARCH}), in this folder:

  sdk=\"$PWD/lib/cmake/Ombrel\"
  cmake -S share/ombrel/template-pack -B template-build \\
    -DCMAKE_TOOLCHAIN_FILE=\"$sdk/toolchain-mingw-${OMBREL_MINGW_ARCH}.cmake\" -DOmbrel_DIR=\"$sdk\"
  cmake --build template-build

The pack is template-build/TemplatePack.dll.")
else()
  set(OMBREL_PLATFORM_TAG linux-x86_64)
  set(OMBREL_PLATFORM_NAME "Linux, x86-64")
  set(OMBREL_TOOLCHAIN_NOTE "")
  set(OMBREL_PACK_MATCH "the x86-64 Linux program loads x86-64 Linux packs only.")
  set(OMBREL_SDK_BUILD "With g++ and CMake 3.25 or later, in this folder:

  cmake -S share/ombrel/template-pack -B template-build -DCMAKE_PREFIX_PATH=\"$PWD\"
  cmake --build template-build

The pack is template-build/TemplatePack.so.")
endif()

# The read-mes, the changelog and the manual pages carry the version, so they
# are made at build time (cmake/make_package_files.cmake), like the version.
set(package_templates "${packaging_source}/readme-sdk.txt.in=README-SDK.txt")
set(man_pages "")
if(WIN32)
  list(APPEND package_templates "${packaging_source}/readme-windows.txt.in=README.txt")
else()
  list(APPEND package_templates "${packaging_source}/readme-linux.txt.in=README.txt")
  set(man_pages solvara.6 ombrel-capture.1 ombrel-inspect.1 ombrel-validate.1)
endif()
set(package_outputs "")
set(template_files "")
foreach(pair IN LISTS package_templates)
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 template)
  list(GET pair 1 output)
  list(APPEND template_files "${template}")
  list(APPEND package_outputs "${packaging_build}/${output}")
endforeach()
foreach(page IN LISTS man_pages)
  list(APPEND package_outputs "${packaging_build}/${page}.gz")
endforeach()
if(NOT WIN32)
  list(APPEND package_outputs "${packaging_build}/changelog.gz")
endif()
list(TRANSFORM man_pages PREPEND "${packaging_source}/man/" OUTPUT_VARIABLE man_sources)
configure_file("${packaging_source}/package_files_config.cmake.in"
               "${packaging_build}/package_files_config.cmake" @ONLY)
add_custom_command(OUTPUT ${package_outputs}
  COMMAND ${CMAKE_COMMAND} "-DCONFIG=${packaging_build}/package_files_config.cmake"
          -P "${PROJECT_SOURCE_DIR}/cmake/make_package_files.cmake"
  DEPENDS "${OMBREL_VERSION_FILE}" ${template_files} ${man_sources}
          "${packaging_build}/package_files_config.cmake"
          "${PROJECT_SOURCE_DIR}/cmake/make_package_files.cmake"
  COMMENT "Writing the package's read-mes, changelog and manual pages"
  VERBATIM)
add_custom_target(ombrel_package_files ALL DEPENDS ${package_outputs})
add_dependencies(ombrel_package_files ombrel_version_stamp)
add_dependencies(sdk ombrel_package_files)

# What the SDK archives carry beside the SDK itself.
install(FILES "${packaging_build}/README-SDK.txt" DESTINATION . COMPONENT sdk)
install(FILES "${packaging_source}/copyright" DESTINATION . RENAME COPYRIGHT.txt COMPONENT sdk)

if(WIN32)
  # The notices of what the zip holds that others made: the C++ runtime DLLs,
  # the mingw-w64 start-up code and threads library in every program and pack,
  # stb_vorbis in the program and the capture program.
  include(OmbrelNotices)
  ombrel_write_notices("${packaging_build}/THIRD-PARTY-NOTICES.txt")
  install(FILES "${packaging_build}/README.txt" "${packaging_build}/THIRD-PARTY-NOTICES.txt"
          DESTINATION ${OMBREL_RUNTIME_FOLDER} COMPONENT runtime)
  install(FILES "${packaging_source}/copyright" DESTINATION ${OMBREL_RUNTIME_FOLDER}
          RENAME COPYRIGHT.txt COMPONENT runtime)
else()
  # The tree a Linux system expects beside the demo folder.
  install(FILES "${packaging_source}/solvara.desktop" DESTINATION share/applications
          COMPONENT runtime)
  install(FILES "${packaging_source}/solvara.png" DESTINATION share/icons/hicolor/32x32/apps
          COMPONENT runtime)
  foreach(page IN LISTS man_pages)
    string(REGEX MATCH "[0-9]$" section "${page}")
    install(FILES "${packaging_build}/${page}.gz" DESTINATION share/man/man${section}
            COMPONENT runtime)
  endforeach()
  install(FILES "${packaging_source}/copyright" "${packaging_build}/changelog.gz"
                "${packaging_build}/README.txt"
          DESTINATION share/doc/solvara COMPONENT runtime)
  # The tarball shows its read-me at the top as well.
  install(FILES "${packaging_build}/README.txt" DESTINATION . COMPONENT tarball)
endif()

set(CPACK_PACKAGE_NAME solvara)
set(CPACK_PACKAGE_VENDOR "The Ombrel developers")
set(CPACK_PACKAGE_CONTACT "${OMBREL_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "realtime audiovisual demo drawn with OpenGL to its own music")
set(CPACK_PACKAGE_DESCRIPTION "Solvara shows a setup dialog, then draws an octree around a ringed
planet with its satellites, to music of its own, until Escape is pressed.
It comes with ombrel-capture, which renders the demo to a video file
frame by frame with its music, and with ombrel-inspect and ombrel-validate,
which check plugin packs for it.")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")
set(CPACK_PROJECT_CONFIG_FILE "${packaging_build}/CPackProject.cmake")
# The Linux programs and packs are stripped when packed; the Windows ones by
# the linker already (OmbrelReproducible.cmake). The C++ runtime DLLs are
# packed as the mingw-w64 packages built them.
if(NOT WIN32)
  set(CPACK_STRIP_FILES ON)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(sdk_generator ZIP)
else()
  set(CPACK_GENERATOR TGZ DEB)
  set(sdk_generator TGZ)
  set(CPACK_DEBIAN_PACKAGE_NAME solvara)
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The libraries the programs and packs link, from dpkg-shlibdeps; and the
  # OpenGL library that SDL2 opens while the program runs (it is no link of
  # theirs, so dpkg-shlibdeps cannot see it).
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
endif()
set(CPACK_POST_BUILD_SCRIPTS "${packaging_build}/CPackPostBuild.cmake")
configure_file("${packaging_source}/CPackProject.cmake.in" "${packaging_build}/CPackProject.cmake" @ONLY)
configure_file("${packaging_source}/CPackPostBuild.cmake.in" "${packaging_build}/CPackPostBuild.cmake" @ONLY)
include(CPack)

# Both parts, into ${CPACK_PACKAGE_DIRECTORY}.
add_custom_target(packages
  COMMAND ${CMAKE_CPACK_COMMAND} --config CPackConfig.cmake
  COMMAND ${CMAKE_CPACK_COMMAND} --config CPackConfig.cmake -G ${sdk_generator}
          -D OMBREL_PACKAGE_PART=sdk
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
  COMMENT "Making the packages"
  VERBATIM)
add_dependencies(packages sdk)
