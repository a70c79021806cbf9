# Writes a C++ source that holds files as byte arrays and lists them by
# name for EmbeddedArtFiles() (ui/embedded/embedded_art.h).
#
#   cmake -DOUTPUT=<file.cpp> -DINPUTS=<file;file;...> -P embed_files.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT OUTPUT)
  message(FATAL_ERROR "embed_files.cmake needs OUTPUT")
endif()

list(SORT INPUTS)
set(arrays "")
set(table "")
set(index 0)
foreach(input IN LISTS INPUTS)
  get_filename_component(name "${input}" NAME)
  file(READ "${input}" hex HEX)
  string(LENGTH "${hex}" hex_length)
  if(hex_length EQUAL 0)
    message(FATAL_ERROR "embed_files.cmake: ${input} is empty")
  endif()
  # Two hex digits a byte, sixteen bytes a line.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "constexpr uint8_t kFile${index}[] = {\n    ${bytes}\n};\n")
  string(APPEND table "    {\"${name}\", kFile${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()

if(index EQUAL 0)
  set(listing "std::span<const EmbeddedFile> EmbeddedArtFiles() { return {}; }")
else()
  set(listing "namespace {

${arrays}
constexpr EmbeddedFile kFiles[] = {
${table}};

}  // namespace

std::span<const EmbeddedFile> EmbeddedArtFiles() { return kFiles; }")
endif()

set(source "// Generated from data/art by ui/embedded/embed_files.cmake; do not edit.
#include <cstdint>

#include \"ui/embedded/embedded_art.h\"

namespace rz {

${listing}

}  // namespace rz
")
# Rewrite only on change, so that an unchanged source is not recompiled.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
  if(previous STREQUAL source)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${source}")
