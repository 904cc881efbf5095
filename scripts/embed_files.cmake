# Writes OUTPUT, a C++ source that holds each file of INPUTS (a ;-list) as bytes, under the
# name NAMES (a ;-list in the same order), in namespace sanxing::embedded:
#     extern const std::string_view NAME;
# Run by a build step: cmake -DOUTPUT=… -DINPUTS=… -DNAMES=… -P embed_files.cmake
set(text "// Made by scripts/embed_files.cmake; do not edit.\n#include <string_view>\n\nnamespace sanxing::embedded {\n")
list(LENGTH INPUTS count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET INPUTS ${i} input)
  list(GET NAMES ${i} name)
  file(READ ${input} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND text "namespace {\nconstexpr char ${name}_bytes[] = {${bytes}};\n}  // namespace\n")
  string(APPEND text "extern const std::string_view ${name}{${name}_bytes, ${size}};\n")
endforeach()
string(APPEND text "}  // namespace sanxing::embedded\n")
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
