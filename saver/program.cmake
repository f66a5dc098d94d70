# velto_saver(TARGET NAME TITLE ICON LOGO SOURCES ... LIBS ...)
# A screen saver: NAME.SCR in velto/SAVERS/ of the build tree, built from the
# saver frame, our screen-saver library and the saver's SOURCES (which define
# saver::ProgramSaver) with LIBS, and the one resource script of all savers
# (saver.rc) with the saver's TITLE, its ICON and the LOGO bitmap.

set(VELTO_SAVER_DIR ${CMAKE_CURRENT_LIST_DIR})

function(velto_saver target name title icon logo)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  file(WRITE ${script}
    "#pragma code_page(65001)\n"
    "#define SAVER_TITLE \"${title}\"\n"
    "#define SAVER_ICON \"${icon}\"\n"
    "#define SAVER_LOGO \"${logo}\"\n"
    "#include \"saver.rc\"\n")
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}_rc.o)
  add_custom_command(OUTPUT ${resources}
    COMMAND ${CMAKE_RC_COMPILER} -I ${VELTO_SAVER_DIR} -i ${script} -o ${resources}
    DEPENDS ${script} ${VELTO_SAVER_DIR}/saver.rc ${icon} ${logo} ${ARG_DEPENDS}
    VERBATIM)

  add_executable(${target} WIN32 ${ARG_SOURCES} ${resources})
  target_link_libraries(${target} PRIVATE scrnsave saver_win ${ARG_LIBS})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${name} SUFFIX ".SCR"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/velto/SAVERS)
endfunction()
