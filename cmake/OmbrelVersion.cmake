# The version every program and package states: project(VERSION) and, between
# releases, how far the commit is from it (cmake/make_version.cmake). It is
# worked out again at every build, so a commit made since the last configure
# is never shown under an older name:
#   ${OMBREL_VERSION_HEADER}   ombrel_version.h for the programs (OMBREL_VERSION)
#   ${OMBREL_VERSION_FILE}     the version alone, for tools/release and CPack
set(OMBREL_VERSION_OVERRIDE "" CACHE STRING "The version to state instead of the one from git")
set(OMBREL_VERSION_DIR "${CMAKE_BINARY_DIR}/generated")
set(OMBREL_VERSION_HEADER "${OMBREL_VERSION_DIR}/ombrel_version.h")
set(OMBREL_VERSION_FILE "${CMAKE_BINARY_DIR}/version.txt")
add_custom_target(ombrel_version_stamp ALL
  COMMAND ${CMAKE_COMMAND} "-DSOURCE_DIR=${PROJECT_SOURCE_DIR}"
          "-DPROJECT_VERSION=${PROJECT_VERSION}" "-DHEADER=${OMBREL_VERSION_HEADER}"
          "-DTEXT=${OMBREL_VERSION_FILE}" "-DOVERRIDE=${OMBREL_VERSION_OVERRIDE}"
          -P "${PROJECT_SOURCE_DIR}/cmake/make_version.cmake"
  BYPRODUCTS "${OMBREL_VERSION_HEADER}" "${OMBREL_VERSION_FILE}"
  COMMENT "Working out the version"
  VERBATIM)
