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
