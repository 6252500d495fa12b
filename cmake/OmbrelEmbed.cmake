# ombrel_embed_file(<variable> <input file> <symbol>)
# Builds the bytes of <input file> into the target that compiles the source
# named by <variable>: `const unsigned char <symbol>[]` and
# `const unsigned int <symbol>Size`, regenerated when the file changes.
function(ombrel_embed_file variable input symbol)
  set(source "${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp")
  add_custom_command(OUTPUT "${source}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${source} -DNAME=${symbol}
            -P "${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake"
    DEPENDS "${input}" "${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake"
    COMMENT "Embedding ${input}")
  set(${variable} "${source}" PARENT_SCOPE)
endfunction()
