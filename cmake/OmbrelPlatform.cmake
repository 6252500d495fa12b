# The platform's name, "win32" for the Windows builds (i686 and x86-64) and
# "posix" for the native Linux build, for scripts that behave differently on
# each. Backend source files are picked with ombrel_platform_sources below.
if(WIN32)
  set(OMBREL_PLATFORM win32)
  set(OMBREL_PACK_SUFFIX ".dll")
  # Exceptions cross from packs into the host: both must use the one shared
  # C++ runtime, so the runtime DLLs travel beside the program. The i686
  # runtime unwinds with DWARF-2 tables, the x86-64 one with Windows' SEH.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(libgcc_dll libgcc_s_seh-1.dll)
  else()
    set(libgcc_dll libgcc_s_dw2-1.dll)
  endif()
  find_file(OMBREL_LIBGCC_DLL ${libgcc_dll} PATHS ${OMBREL_MINGW_RUNTIME_DIR} NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_file(OMBREL_LIBSTDCXX_DLL libstdc++-6.dll PATHS ${OMBREL_MINGW_RUNTIME_DIR} NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_file(OMBREL_WINPTHREAD_DLL libwinpthread-1.dll PATHS ${CMAKE_FIND_ROOT_PATH}/lib NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(OMBREL_RUNTIME_DLLS ${OMBREL_LIBGCC_DLL} ${OMBREL_LIBSTDCXX_DLL} ${OMBREL_WINPTHREAD_DLL})
  file(COPY ${OMBREL_RUNTIME_DLLS} DESTINATION "${CMAKE_BINARY_DIR}/bin")
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
else()
  set(OMBREL_PLATFORM posix)
  set(OMBREL_PACK_SUFFIX ".so")
  set(OMBREL_RUNTIME_DLLS "")
endif()

# ombrel_platform_sources(<target> WIN32 <files>... LINUX <files>...): the
# backend files of a target, the one way the build picks them. Each file is
# named for its backend (_win32, _waveout; _posix, _sdl, _gtk, _x11, ...) and
# lies beside the portable code it serves.
function(ombrel_platform_sources target)
  cmake_parse_arguments(P "" "" "WIN32;LINUX" ${ARGN})
  if(WIN32)
    target_sources(${target} PRIVATE ${P_WIN32})
  else()
    target_sources(${target} PRIVATE ${P_LINUX})
  endif()
endfunction()

# The pack suffix as the C++ code sees it: OMBREL_PACK_SUFFIX, ".dll" or ".so",
# for every program and test that names a pack file.
add_library(ombrel_pack_suffix INTERFACE)
target_compile_definitions(ombrel_pack_suffix INTERFACE
  "OMBREL_PACK_SUFFIX=\"${OMBREL_PACK_SUFFIX}\"")

# The system's OpenGL library and, on Linux, SDL2, found once for the whole
# build: link ombrel_gl and ombrel_sdl2.
add_library(ombrel_gl INTERFACE)
if(WIN32)
  target_link_libraries(ombrel_gl INTERFACE opengl32)
else()
  find_package(OpenGL REQUIRED)
  target_link_libraries(ombrel_gl INTERFACE OpenGL::GL)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET GLOBAL sdl2)
  add_library(ombrel_sdl2 INTERFACE)
  target_link_libraries(ombrel_sdl2 INTERFACE PkgConfig::SDL2)
endif()

# ombrel_demo_program(<target> [STAGED]): a program of the demo's folder. On
# Linux it finds the packs beside itself by bare name, as the Windows loader
# finds them in the program's folder. STAGED: it is also copied into the
# staged runtime folder beside the host, so that it runs from there as it is.
function(ombrel_demo_program target)
  cmake_parse_arguments(P "STAGED" "" "" ${ARGN})
  if(NOT WIN32)
    set_target_properties(${target} PROPERTIES
      BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN" BUILD_WITH_INSTALL_RPATH ON)
    target_link_options(${target} PRIVATE -Wl,--enable-new-dtags)
  endif()
  if(P_STAGED)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory "${OMBREL_STAGE_DIR}"
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> "${OMBREL_STAGE_DIR}"
      VERBATIM)
    add_dependencies(stage ${target})
  endif()
endfunction()
