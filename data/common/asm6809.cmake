# The 6809 assembler for the game data, and velto_assemble_6809.
#
# ASM6809 is the assembler's path and ASM6809_DEPENDS what a custom command
# that runs it depends on: the tools/asm6809 target in a native build, a copy
# built for the build machine (ExternalProject) in a cross build.

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  file(GLOB asm6809_sources ${PROJECT_SOURCE_DIR}/tools/asm6809/*.cpp ${PROJECT_SOURCE_DIR}/tools/asm6809/*.h)
  ExternalProject_Add(asm6809_host
    SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/asm6809_host
    BINARY_DIR ${CMAKE_BINARY_DIR}/asm6809-host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/asm6809-host/asm6809)
  set(ASM6809 ${CMAKE_BINARY_DIR}/asm6809-host/asm6809 CACHE INTERNAL "")
  set(ASM6809_DEPENDS asm6809_host ${asm6809_sources} CACHE INTERNAL "")
else()
  set(ASM6809 $<TARGET_FILE:asm6809_cli> CACHE INTERNAL "")
  set(ASM6809_DEPENDS asm6809_cli CACHE INTERNAL "")
endif()

# velto_assemble_6809(OUT SOURCE BASE SIZE [INCLUDE dirs...] [DEPENDS files...]):
# assembles a 6809 program into an image of exactly SIZE bytes for the
# addresses from BASE (bytes no statement places are 0xFF), with the listing
# beside it as OUT.lst.
function(velto_assemble_6809 out source base size)
  cmake_parse_arguments(ARG "" "" "DEPENDS;INCLUDE" ${ARGN})
  set(includes "")
  foreach(dir IN LISTS ARG_INCLUDE)
    list(APPEND includes -I ${dir})
  endforeach()
  get_filename_component(name ${out} NAME_WE)
  add_custom_command(OUTPUT ${out} ${out}.lst
    COMMAND ${ASM6809} -o ${out} --base ${base} --size ${size} -l ${out}.lst ${includes} ${source}
    DEPENDS ${source} ${ARG_DEPENDS} ${ASM6809_DEPENDS}
    COMMENT "Assembling ${name}"
    VERBATIM)
endfunction()
