# velto_game_images(MANIFEST OWN_DIR): the images a game-data directory embeds.
# Sets, in the caller's scope, GAME_IMAGE_DIR (the user's VELTO_GAME_DATA_DIR,
# checked against the manifest, or OWN_DIR where our own images are built)
# and GAME_IMAGE_FILES (the files the embedding depends on: the user's images
# and ours, which are built anyway for the tests).
function(velto_game_images manifest own_dir)
  set(own "")
  set(user "")
  file(STRINGS ${manifest} lines REGEX "^[^#]")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^[^ \t]+" file "${line}")
    list(APPEND own ${own_dir}/${file})
    list(APPEND user ${VELTO_GAME_DATA_DIR}/${file})
  endforeach()
  if(VELTO_GAME_DATA_DIR)
    velto_check_images(${manifest})
    set(GAME_IMAGE_DIR ${VELTO_GAME_DATA_DIR} PARENT_SCOPE)
    set(GAME_IMAGE_FILES ${user} ${own} PARENT_SCOPE)
  else()
    set(GAME_IMAGE_DIR ${own_dir} PARENT_SCOPE)
    set(GAME_IMAGE_FILES ${own} PARENT_SCOPE)
  endif()
endfunction()

# velto_image_list(NAME MANIFEST): the board's image list from the manifest,
# written by datapack as data/NAME/NAME_images.inc under the directory that
# VELTO_<NAME>_GENERATED names (the board adds it to its include path and
# depends on the target NAME_images).
function(velto_image_list name manifest)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
  set(list ${generated}/data/${name}/${name}_images.inc)
  file(MAKE_DIRECTORY ${generated}/data/${name})
  add_custom_command(OUTPUT ${list}
    COMMAND ${DATAPACK} slots ${manifest} ${list}
    DEPENDS ${manifest} ${DATAPACK_DEPENDS} VERBATIM)
  add_custom_target(${name}_images DEPENDS ${list})
  string(TOUPPER ${name} upper)
  set(VELTO_${upper}_GENERATED ${generated} CACHE INTERNAL "The generated image list of ${name}")
endfunction()
