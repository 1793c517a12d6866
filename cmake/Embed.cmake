# Builds resource files into the program as C++ arrays, with CMake alone, so
# that cross builds need no tool of the build host.
#
#   corvane_embed_resources(<target>
#     FUNCTION <name>           function returning std::span<const ResourceEntry>
#     HEADER <include path>     header that declares it
#     [BITMAP <id> <file>]...   files relative to the calling folder
#     [ICON <id> <file>]...)
#
# adds a generated source to <target>. It is regenerated whenever one of the
# files changes.
#
# Run as a script (cmake -P), this file writes that source from the list of
# entries that the function recorded.

set(_CORVANE_EMBED_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

function(corvane_embed_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 E "" "FUNCTION;HEADER" "")
  if(NOT E_FUNCTION OR NOT E_HEADER)
    message(FATAL_ERROR "corvane_embed_resources(${target}): FUNCTION and HEADER are required")
  endif()

  set(entries "")
  set(files "")
  set(args ${E_UNPARSED_ARGUMENTS})
  list(LENGTH args count)
  math(EXPR rest "${count} % 3")
  if(NOT rest EQUAL 0)
    message(FATAL_ERROR "corvane_embed_resources(${target}): entries come as TYPE ID FILE")
  endif()
  while(args)
    list(POP_FRONT args type id file)
    if(NOT type MATCHES "^(BITMAP|ICON)$")
      message(FATAL_ERROR "corvane_embed_resources(${target}): unknown resource type '${type}'")
    endif()
    if(NOT id MATCHES "^[0-9]+$")
      message(FATAL_ERROR "corvane_embed_resources(${target}): resource id '${id}' is not a number")
    endif()
    get_filename_component(path "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    if(NOT EXISTS "${path}")
      message(FATAL_ERROR "corvane_embed_resources(${target}): ${path} does not exist")
    endif()
    string(APPEND entries "list(APPEND EMBED_ENTRIES \"${type}|${id}|${path}\")\n")
    list(APPEND files "${path}")
  endwhile()

  set(dir "${CMAKE_CURRENT_BINARY_DIR}/${target}_embed")
  set(manifest "${dir}/entries.cmake")
  set(output "${dir}/${E_FUNCTION}.cpp")
  file(CONFIGURE OUTPUT "${manifest}" CONTENT
    "set(EMBED_FUNCTION \"${E_FUNCTION}\")\nset(EMBED_HEADER \"${E_HEADER}\")\n${entries}" @ONLY)
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -DEMBED_MANIFEST=${manifest} -DEMBED_OUTPUT=${output} -P "${_CORVANE_EMBED_SCRIPT}"
    DEPENDS ${files} "${manifest}" "${_CORVANE_EMBED_SCRIPT}"
    COMMENT "Embedding resources for ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  include("${EMBED_MANIFEST}")
  set(arrays "")
  set(table "")
  set(index 0)
  foreach(entry IN LISTS EMBED_ENTRIES)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 type)
    list(GET parts 1 id)
    list(GET parts 2 path)
    file(READ "${path}" hex HEX)
    string(LENGTH "${hex}" digits)
    if(digits EQUAL 0)
      message(FATAL_ERROR "embedding ${path}: the file is empty")
    endif()
    math(EXPR size "${digits} / 2")
    # Sixteen bytes a line, each as 0xNN.
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
    string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
    string(STRIP "${bytes}" bytes)
    get_filename_component(name "${path}" NAME)
    string(APPEND arrays "// ${name}, ${size} bytes\nconstexpr std::uint8_t kData${index}[] = {\n    ${bytes}\n};\n\n")
    if(type STREQUAL "BITMAP")
      set(enum "ResourceType::Bitmap")
    else()
      set(enum "ResourceType::Icon")
    endif()
    string(APPEND table "    {${enum}, ${id}, kData${index}},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  if(index EQUAL 0)
    message(FATAL_ERROR "embedding: no resources listed")
  endif()
  set(source "// Generated from the resource files by cmake/Embed.cmake; do not edit.\n#include \"${EMBED_HEADER}\"\n\n#include <cstdint>\n\nnamespace {\n\n${arrays}constexpr ResourceEntry kEntries[] = {\n${table}};\n\n}  // namespace\n\nstd::span<const ResourceEntry> ${EMBED_FUNCTION}()\n{\n    return kEntries;\n}\n")
  file(WRITE "${EMBED_OUTPUT}" "${source}")
endif()
