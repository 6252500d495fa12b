# ombrel_write_notices(<file>)
# Writes the third-party notices of a Windows package: what in the package
# others made, under which terms, and where its source is, from the licence
# files of the Debian packages the parts come from (so the notices match the
# very files shipped) and the licence block of stb_vorbis.h.
#   - the GCC runtime DLLs (libgcc_s_*.dll, libstdc++-6.dll): GPL 3 or later
#     with the GCC Runtime Library Exception 3.1; their full text follows
#   - libwinpthread-1.dll and the mingw-w64 start-up code in every program
#     and pack: the mingw-w64 licences
#   - stb_vorbis, compiled into solvara.exe and ombrel-capture.exe
function(ombrel_write_notices file)
  set(gpl3 /usr/share/common-licenses/GPL-3)
  set(stb_header "${OMBREL_STB_DIR}/stb_vorbis.h")
  foreach(required "${gpl3}" "${stb_header}")
    if(NOT EXISTS "${required}")
      message(FATAL_ERROR "The third-party notices need ${required}, which is missing")
    endif()
  endforeach()

  set(text "Third-party notices
===================

Solvara and its tools contain or come with the following parts made by
others. Each part's terms follow in full, as its authors and the Debian
packages that it was taken from state them.

")
  set(sections "")
  foreach(dll IN LISTS OMBREL_RUNTIME_DLLS)
    get_filename_component(name "${dll}" NAME)
    # The Debian package the DLL comes from, its version and its source package.
    execute_process(COMMAND dpkg-query -S "${dll}" OUTPUT_VARIABLE owner
                    RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "The third-party notices: no Debian package holds ${dll}")
    endif()
    string(REGEX REPLACE ":.*" "" package "${owner}")
    execute_process(COMMAND dpkg-query -W "-f=\${source:Package} \${source:Version}" "${package}"
                    OUTPUT_VARIABLE source OUTPUT_STRIP_TRAILING_WHITESPACE)
    string(APPEND text "- ${name}: from the Debian package ${package}, built from the source package ${source}\n")
    if(NOT package IN_LIST sections)
      list(APPEND sections ${package})
    endif()
  endforeach()
  string(APPEND text "- the mingw-w64 start-up code, linked into every program and pack: as libwinpthread-1.dll above
- stb_vorbis, the Ogg Vorbis decoder compiled into solvara.exe and ombrel-capture.exe
  (Sean Barrett and contributors): MIT licence or public domain, as chosen by the user

The GCC runtime libraries (libgcc_s, libstdc++) are under the GNU General Public
License version 3 or later with the GCC Runtime Library Exception 3.1, whose
texts follow; their source is the GCC source of the Debian source package named
above. The mingw-w64 licences list parts under further licences (headers and
tools used only to build); those parts are not in this package.
")

  foreach(package IN LISTS sections)
    set(copyright "/usr/share/doc/${package}/copyright")
    if(NOT EXISTS "${copyright}")
      message(FATAL_ERROR "The third-party notices need ${copyright}, which is missing")
    endif()
    file(READ "${copyright}" terms)
    string(APPEND text "\n\n==== ${package}: ${copyright}\n\n${terms}")
  endforeach()

  file(READ "${stb_header}" header)
  string(FIND "${header}" "This software is available under 2 licenses" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "The third-party notices: ${stb_header} holds no licence block")
  endif()
  string(SUBSTRING "${header}" ${start} -1 terms)
  string(REGEX REPLACE "\\*/[ \n]*$" "" terms "${terms}")
  string(APPEND text "\n\n==== stb_vorbis: the licence block of stb_vorbis.h\n\n${terms}")

  file(READ "${gpl3}" terms)
  string(APPEND text "\n\n==== The GNU General Public License, version 3\n\n${terms}")
  # Windows line ends, for Notepad.
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${file}" "${text}")
endfunction()
