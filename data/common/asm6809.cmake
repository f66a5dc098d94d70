# The 6809 assembler for the game data programs, and velto_assemble_6809.
#
# ASM6809 is the assembler's path and ASM6809_DEPENDS what a custom command
# that runs it depends on: its target and the assembler itself. In a native
# build the assembler is the asm6809_cli target of tools/; in a cross build it
# is built first with the build machine's compiler, as datapack is.

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  ExternalProject_Add(asm6809_host
    SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/asm6809-host
    BINARY_DIR ${CMAKE_BINARY_DIR}/asm6809-host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/asm6809-host/asm6809)
  set(ASM6809 ${CMAKE_BINARY_DIR}/asm6809-host/asm6809 CACHE INTERNAL "")
  set(ASM6809_DEPENDS asm6809_host ${ASM6809} CACHE INTERNAL "")
else()
  set(ASM6809 $<TARGET_FILE:asm6809_cli> CACHE INTERNAL "")
  set(ASM6809_DEPENDS asm6809_cli CACHE INTERNAL "")
endif()

# velto_assemble_6809(OUT SOURCE BASE SIZE [SUM address] [INCLUDE dirs...] [DEPENDS files...]):
# assembles a 6809 program into an image of exactly SIZE bytes for addresses
# BASE onwards (bytes no statement places are 0xFF), with a listing beside it
# (OUT.lst). With SUM, the byte at that address, which the source leaves 0,
# is set so that the 8-bit sum of the whole image is 0.
function(velto_assemble_6809 out source base size)
  cmake_parse_arguments(ARG "" "SUM" "DEPENDS;INCLUDE" ${ARGN})
  set(includes "")
  foreach(dir IN LISTS ARG_INCLUDE)
    list(APPEND includes -I ${dir})
  endforeach()
  set(sum "")
  if(ARG_SUM)
    math(EXPR offset "${ARG_SUM} - ${base}")
    set(sum COMMAND ${DATAPACK} rom ${out} ${size} ${offset})
  endif()
  get_filename_component(name ${out} NAME_WE)
  add_custom_command(OUTPUT ${out} ${out}.lst
    COMMAND ${ASM6809} -o ${out} -l ${out}.lst --base ${base} --size ${size} ${includes}
            -I ${CMAKE_CURRENT_BINARY_DIR} ${source}
    ${sum}
    DEPENDS ${source} ${ARG_DEPENDS} ${ASM6809_DEPENDS} ${DATAPACK_DEPENDS}
    COMMENT "Assembling ${name}"
    VERBATIM)
endfunction()
