# velto_saver(NAME name TITLE title ICON_CANVAS canvas LOGO bitmap BOARD board_library
#             [DEPENDS targets...] SOURCES ...)
# A screen saver: NAME.SCR in velto/SAVERS/ of the build tree, built from the
# saver frame, our screen-saver library, the board library and SOURCES (which
# define saver::ProgramSaver), with the one resource script of all savers
# (saver.rc): the saver's TITLE, its icon drawn from ICON_CANVAS and the LOGO
# bitmap (made by the targets in DEPENDS).

set(VELTO_SAVER_COMMON ${CMAKE_CURRENT_LIST_DIR})

function(velto_saver)
  cmake_parse_arguments(ARG "" "NAME;TITLE;ICON_CANVAS;LOGO;BOARD" "DEPENDS;SOURCES" ${ARGN})
  string(TOLOWER ${ARG_NAME}_saver target)
  set(icon ${CMAKE_CURRENT_BINARY_DIR}/${target}.ico)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${DATAPACK} canvas ${ARG_ICON_CANVAS} ${icon}
    DEPENDS ${DATAPACK_DEPENDS} ${ARG_ICON_CANVAS}
    VERBATIM)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  file(WRITE ${script}
    "#pragma code_page(65001)\n"
    "#define SAVER_TITLE \"${ARG_TITLE}\"\n"
    "#define SAVER_FILE \"${ARG_NAME}.SCR\"\n"
    "#define SAVER_ICON \"${icon}\"\n"
    "#define SAVER_LOGO \"${ARG_LOGO}\"\n"
    "#include \"saver.rc\"\n")
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}_rc.o)
  add_custom_command(OUTPUT ${resources}
    COMMAND ${CMAKE_RC_COMPILER} -I ${VELTO_SAVER_COMMON} -i ${script} -o ${resources}
    DEPENDS ${script} ${VELTO_SAVER_COMMON}/saver.rc ${VELTO_SAVER_COMMON}/about.rc ${icon} ${ARG_DEPENDS}
    VERBATIM)

  add_executable(${target} WIN32 ${ARG_SOURCES} ${resources})
  target_link_libraries(${target} PRIVATE scrnsave saver_win ${ARG_BOARD})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${ARG_NAME} SUFFIX ".SCR"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/velto/SAVERS)
endfunction()
