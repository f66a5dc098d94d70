# velto_game_program(NAME name BOARD board_library RC rc_script
#                    [RC_INCLUDES dirs...] [RC_DEPENDS targets-or-files...]
#                    [SOURCES ...] [LIBS ...])
# A game program on the shared frame: the executable NAME.EXE in velto/NAME/
# of the build tree, built from SOURCES (its WinMain hands FrameMain the
# game description), its resource script RC (compiled with the program's
# directory, programs/common (about.rc: the version box and block every
# program carries), RC_INCLUDES, its binary directory and the project's root
# on the include path, so that "frame/dialog_ids.h" is found), linked with the
# frame's Windows side, the board library and LIBS.

set(VELTO_PROGRAMS_COMMON ${CMAKE_CURRENT_LIST_DIR})

function(velto_game_program)
  cmake_parse_arguments(ARG "" "NAME;BOARD;RC" "RC_INCLUDES;RC_DEPENDS;SOURCES;LIBS" ${ARGN})
  set(target ${ARG_NAME}_program)
  string(TOLOWER ${target} target)
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}_rc.o)
  set(includes -I ${CMAKE_CURRENT_SOURCE_DIR} -I ${VELTO_PROGRAMS_COMMON})
  set(rc_sources ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_RC} ${VELTO_PROGRAMS_COMMON}/about.rc
                 ${PROJECT_SOURCE_DIR}/frame/dialog_ids.h)
  foreach(dir IN LISTS ARG_RC_INCLUDES)
    list(APPEND includes -I ${dir})
    file(GLOB dir_rc CONFIGURE_DEPENDS ${dir}/*.rc)
    list(APPEND rc_sources ${dir_rc})
  endforeach()
  add_custom_command(OUTPUT ${resources}
    COMMAND ${CMAKE_RC_COMPILER} ${includes} -I ${CMAKE_CURRENT_BINARY_DIR} -I ${PROJECT_SOURCE_DIR}
            -i ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_RC} -o ${resources}
    DEPENDS ${rc_sources} ${ARG_RC_DEPENDS}
    VERBATIM)

  add_executable(${target} WIN32 ${ARG_SOURCES} ${resources})
  target_link_libraries(${target} PRIVATE frame_win ${ARG_BOARD} ${ARG_LIBS})
  target_compile_options(${target} PRIVATE -fexec-charset=CP932)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${ARG_NAME} SUFFIX ".EXE"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/velto/${ARG_NAME})
endfunction()
