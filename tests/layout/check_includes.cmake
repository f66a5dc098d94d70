# Fails when a source under frame/ or tools/ includes a header of one board
# (boards/<game>/...) or of a program (programs/...): those directories serve
# every game and reach a board only through its face (boards/board.h).
#   cmake -DROOT=<source tree> -P check_includes.cmake
file(GLOB_RECURSE sources ${ROOT}/frame/*.cpp ${ROOT}/frame/*.h ${ROOT}/frame/*.inc
     ${ROOT}/tools/*.cpp ${ROOT}/tools/*.h ${ROOT}/tools/*.inc)
set(found "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "include[ \t]*[\"<](boards/[^/\">]+/|programs/)")
      file(RELATIVE_PATH name ${ROOT} ${source})
      string(APPEND found "\n  ${name}: ${line}")
    endif()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "frame/ and tools/ include board- or program-specific headers:${found}")
endif()
