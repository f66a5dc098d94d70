# velto_zarkolt_program(TARGET NAME RC_SCRIPT [CARD BMP] SOURCES ... LIBS ...)
# A game program on the ZARKOLT frame: the executable NAME.EXE in
# velto/NAME/ of the build tree, its resource script (which may include this
# directory's dialogs.rc and the generated zarkolt_art.rc: the bitmaps and
# the icon drawn by the build), linked with the frame and LIBS. CARD is the
# instruction card when it is not ZARKOLT's.

if(NOT TARGET frame_core)
  add_subdirectory(${PROJECT_SOURCE_DIR}/frame ${CMAKE_BINARY_DIR}/frame)
endif()

set(VELTO_ZARKOLT_PROGRAM_DIR ${CMAKE_CURRENT_LIST_DIR})

function(velto_zarkolt_program target name rc_script)
  cmake_parse_arguments(ARG "" "CARD" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_CARD)
    set(ARG_CARD ${ZARKOLT_ART_DIR}/INSTCARD.bmp)
  endif()
  set(art_rc ${CMAKE_CURRENT_BINARY_DIR}/zarkolt_art.rc)
  file(WRITE ${art_rc}
    "INSTCARD BITMAP \"${ARG_CARD}\"\n"
    "DIDIRUDOR BITMAP \"${ZARKOLT_ART_DIR}/DIDIRUDOR.bmp\"\n"
    "MYALART BITMAP \"${ZARKOLT_ART_DIR}/MYALART.bmp\"\n"
    "ZARKOLT ICON \"${ZARKOLT_ART_DIR}/ZARKOLT.ico\"\n")

  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}_rc.o)
  file(GLOB rc_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.rc ${VELTO_ZARKOLT_PROGRAM_DIR}/*.rc
       ${VELTO_ZARKOLT_PROGRAM_DIR}/*.h)
  add_custom_command(OUTPUT ${resources}
    COMMAND ${CMAKE_RC_COMPILER} -I ${CMAKE_CURRENT_SOURCE_DIR} -I ${VELTO_ZARKOLT_PROGRAM_DIR}
            -I ${CMAKE_CURRENT_BINARY_DIR} -i ${CMAKE_CURRENT_SOURCE_DIR}/${rc_script} -o ${resources}
    DEPENDS ${rc_sources} ${art_rc} zarkolt_art superzar_art ${ARG_CARD}
    VERBATIM)

  add_executable(${target} WIN32 ${ARG_SOURCES} ${resources})
  target_link_libraries(${target} PRIVATE frame_win ${ARG_LIBS})
  target_compile_options(${target} PRIVATE -fexec-charset=CP932)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${name} SUFFIX ".EXE"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/velto/${name})
endfunction()
