# ombrel_add_subfolders([<folder>...])
# Adds each named folder of the current source folder that has a
# CMakeLists.txt, in the order given; with no names, every such subfolder, in
# name order. A part that is not in the tree yet is skipped.
function(ombrel_add_subfolders)
  if(ARGN)
    set(dirs ${ARGN})
  else()
    # Checked again at every build, so a folder added later is picked up.
    file(GLOB dirs CONFIGURE_DEPENDS LIST_DIRECTORIES true RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}"
         "${CMAKE_CURRENT_SOURCE_DIR}/*")
    list(SORT dirs)
  endif()
  foreach(dir ${dirs})
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
