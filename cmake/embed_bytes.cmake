# cmake -DIN=<file> -DOUT=<file.cpp> -DNAME=<symbol> -DNAMESPACE=<ns> -P embed_bytes.cmake
# Writes a C++ source holding the file's bytes as the array NAME and its size as NAME_size.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUT} "// Generated from ${IN}; do not edit.\n#include <cstddef>\n#include <cstdint>\n"
  "namespace ${NAMESPACE} {\nextern const std::uint8_t ${NAME}[] = {${bytes}};\n"
  "extern const std::size_t ${NAME}_size = ${size};\n}\n")
