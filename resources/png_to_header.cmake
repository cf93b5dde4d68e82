# Writes PNG files into a C++ header as byte arrays, so that a program can
# embed them without a resource system.
#   cmake -DHEADER=out.h -DIMAGES="kName1=a.png;kName2=b.png" -P png_to_header.cmake
# Each image gives `inline constexpr unsigned char kNameN[]` and
# `inline constexpr std::size_t kNameNSize`.
if(NOT HEADER OR NOT IMAGES)
  message(FATAL_ERROR "png_to_header.cmake needs HEADER and IMAGES")
endif()

set(text "// Generated at build time from resources/vantrel.svg: do not edit.\n")
string(APPEND text "#pragma once\n\n#include <cstddef>\n")
foreach(image ${IMAGES})
  string(REPLACE "=" ";" pair "${image}")
  list(GET pair 0 name)
  list(GET pair 1 file)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  if(digits EQUAL 0)
    message(FATAL_ERROR "${file} is empty")
  endif()
  # Twelve bytes a line (CMake's expressions have no {n}).
  string(REPEAT "[0-9a-f][0-9a-f]" 12 line)
  string(REGEX REPLACE "(${line})" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${hex}")
  string(REGEX REPLACE " \n" "\n  " bytes "${bytes}")
  string(REGEX REPLACE ",[ \n]*$" "" bytes "${bytes}")
  get_filename_component(folder "${file}" DIRECTORY)
  get_filename_component(folder "${folder}" DIRECTORY)
  get_filename_component(size "${folder}" NAME)
  string(APPEND text "\n// The ${size} PNG.\n")
  string(APPEND text "inline constexpr unsigned char ${name}[] = {\n  ${bytes}};\n")
  string(APPEND text "inline constexpr std::size_t ${name}Size = sizeof ${name};\n")
endforeach()

file(WRITE "${HEADER}" "${text}")
