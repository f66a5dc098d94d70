# The datapack tool and the helpers the game data directories use.
#
# DATAPACK is the tool's path and DATAPACK_DEPENDS what a custom command that
# runs it depends on: the tool's target and the tool itself, so that its
# outputs are made again whenever the tool changes. In a native build the tool
# is a target of this build; in a cross build it is built first with the build
# machine's compiler, as a build of its own that runs on every build (a no-op
# when nothing changed) so that its own dependencies decide what it rebuilds.

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  ExternalProject_Add(datapack_host
    SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/tools
    BINARY_DIR ${CMAKE_BINARY_DIR}/datapack-host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/datapack-host/datapack)
  set(DATAPACK ${CMAKE_BINARY_DIR}/datapack-host/datapack CACHE INTERNAL "")
  set(DATAPACK_DEPENDS datapack_host ${DATAPACK} CACHE INTERNAL "")
else()
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/tools ${CMAKE_BINARY_DIR}/datapack-native)
  set(DATAPACK $<TARGET_FILE:datapack> CACHE INTERNAL "")
  set(DATAPACK_DEPENDS datapack CACHE INTERNAL "")
endif()

find_program(PASMO pasmo)
if(NOT PASMO AND NOT VELTO_GAME_DATA_DIR)
  message(FATAL_ERROR "pasmo (the Z80 assembler, Debian package pasmo) is needed to build the game data; "
                      "install it with tools/setup.sh or give -DVELTO_GAME_DATA_DIR=<your images>")
endif()

set(VELTO_GAME_DATA_DIR "" CACHE PATH
    "Directory of your own game data images, one file per manifest name; empty builds our own data")

# velto_check_images(MANIFEST): with VELTO_GAME_DATA_DIR set, stops the
# configure step unless every image of the manifest is there with its size.
function(velto_check_images manifest)
  file(STRINGS ${manifest} lines REGEX "^[^#]")
  set(errors "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([^ \t]+)[ \t]+([0-9]+)[ \t]+[^ \t]+[ \t]+(.*)$" matched "${line}")
    if(NOT matched)
      continue()
    endif()
    set(file ${CMAKE_MATCH_1})
    set(size ${CMAKE_MATCH_2})
    set(what ${CMAKE_MATCH_3})
    set(path ${VELTO_GAME_DATA_DIR}/${file})
    if(NOT EXISTS ${path})
      string(APPEND errors "\n  ${file} is missing (expected ${size} bytes: ${what})")
    else()
      file(SIZE ${path} actual)
      if(NOT actual EQUAL size)
        string(APPEND errors "\n  ${file} has ${actual} bytes, expected ${size} bytes (${what})")
      endif()
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
  endforeach()
  if(errors)
    message(FATAL_ERROR "VELTO_GAME_DATA_DIR=${VELTO_GAME_DATA_DIR}: game data images wrong:${errors}")
  endif()
endfunction()

# velto_assemble(OUT SOURCE SIZE [EQU name=value...] [INCLUDE dirs...] [DEPENDS files...]):
# assembles a Z80 program with pasmo into an image of exactly SIZE bytes whose
# last byte makes the 8-bit sum of the image 0.
function(velto_assemble out source size)
  cmake_parse_arguments(ARG "" "" "EQU;DEPENDS;INCLUDE" ${ARGN})
  set(includes "")
  foreach(dir IN LISTS ARG_INCLUDE)
    list(APPEND includes -I ${dir})
  endforeach()
  set(equs "")
  foreach(equ IN LISTS ARG_EQU)
    list(APPEND equs --equ ${equ})
  endforeach()
  get_filename_component(name ${out} NAME_WE)
  get_filename_component(sourceDir ${source} DIRECTORY)
  add_custom_command(OUTPUT ${out} ${out}.sym
    COMMAND ${PASMO} --bin --alocal -I ${sourceDir} ${includes} -I ${CMAKE_CURRENT_BINARY_DIR} ${equs} ${source} ${out} ${out}.sym
    COMMAND ${DATAPACK} rom ${out} ${size}
    DEPENDS ${source} ${ARG_DEPENDS} ${DATAPACK_DEPENDS}
    COMMENT "Assembling ${name}"
    VERBATIM)
endfunction()
