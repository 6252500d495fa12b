# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DNAME=<symbol> -P embed_file.cmake
# (ombrel_embed_file in OmbrelEmbed.cmake runs it at build time.)
# Writes a C++ source that holds the bytes of INPUT as `const unsigned char
# NAME[]` and their count as `const unsigned int NAMESize`.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
  "// Generated from ${INPUT} by embed_file.cmake.\n"
  "extern const unsigned char ${NAME}[] = {\n${bytes}\n};\n"
  "extern const unsigned int ${NAME}Size = ${size};\n")
