# Turns every SVG source into a NUL-terminated byte array of a generated .cpp, so the pictures live
# inside the program and need no files at run time. Byte arrays rather than string literals: long
# literals trip -Woverlength-strings under -Wpedantic.
#   cmake -DOUTPUT=<file.cpp> -DSOURCES=<a.svg;b.svg> -P EmbedSvg.cmake
set(body "")
set(table "")
set(index 0)
list(SORT SOURCES)
foreach(src IN LISTS SOURCES)
  get_filename_component(stem "${src}" NAME_WE)
  file(READ "${src}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # one line per 40 bytes keeps the generated file readable in an editor
  string(REGEX REPLACE "((0x..,){40})" "\\1\n" bytes "${bytes}")
  string(APPEND body "const unsigned char svg${index}[] = {\n${bytes}0x00};\n")
  string(APPEND table "    {\"${stem}\", svg${index}, sizeof svg${index} - 1},\n")
  math(EXPR index "${index} + 1")
endforeach()
set(out "// Generated from art/svg/*.svg by art/cmake/EmbedSvg.cmake; edit the SVG files instead.\n")
string(APPEND out "#include \"art/ArtData.h\"\n\nnamespace artdata {\nnamespace {\n${body}}  // namespace\n\n")
string(APPEND out "const SvgSource kSources[] = {\n${table}};\nconst std::size_t kSourceCount = ${index};\n\n}  // namespace artdata\n")
# Rewrite only on change so an unchanged picture set does not rebuild the library.
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL out)
  file(WRITE "${OUTPUT}" "${out}")
endif()
