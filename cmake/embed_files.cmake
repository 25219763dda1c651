# Turns files into a C++ source that holds their bytes, so the game carries
# its pictures inside the executable.
#
#   cmake -DOUTPUT=<file.cpp> -DFUNCTION=<name> -DFILES=<a;b;...> -P embed_files.cmake
#
# The source defines `std::span<const EmbeddedFile> <name>()` in
# munyura::desktop, one entry per file, named by the file's name. It is only
# rewritten when its text changes, so an untouched asset rebuilds nothing.

foreach(required OUTPUT FUNCTION FILES)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "embed_files.cmake needs -D${required}=...")
  endif()
endforeach()

set(arrays "")
set(entries "")
set(index 0)
foreach(path IN LISTS FILES)
  get_filename_component(name "${path}" NAME)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hex_length)
  if(hex_length EQUAL 0)
    message(FATAL_ERROR "${path} is empty")
  endif()
  # Sixteen bytes a line keeps the generated source readable in a diff.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "constexpr std::uint8_t kFile${index}[] = {\n    ${bytes}};\n\n")
  string(APPEND entries "    {\"${name}\", kFile${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(text "// Made by cmake/embed_files.cmake from the files in assets/. Not edited by hand.
#include \"desktop/pictures/embedded_files.h\"

namespace munyura::desktop {
namespace {

${arrays}constexpr EmbeddedFile kFiles[] = {
${entries}};

}  // namespace

std::span<const EmbeddedFile> ${FUNCTION}() { return kFiles; }

}  // namespace munyura::desktop
")

file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
