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

# velto_6809_family_images(NAME SOURCE CPU1_BASE CPU1_SIZE SPRITE_CODES IMAGES):
# the images of a game for the two-6809 board family (KLUNO, RONKU), built
# into the directory IMAGES from the sources in SOURCE: NAME_cpu1.rom
# (cpu1.asm, CPU1_SIZE bytes from CPU1_BASE) and NAME_cpu2.rom (cpu2.asm,
# 0xE000-0xFFFF), each with the byte at 0xFFEF making its sum 0; NAME_chars.rom
# (the shared letter font and art/chars.art), NAME_sprites.rom (art/sprites.art,
# SPRITE_CODES codes a half), the colour PROM and the two lookup PROMs
# (art/colours.txt) and NAME_wave.prom.
function(velto_6809_family_images name source cpu1_base cpu1_size sprite_codes images)
  set(art ${source}/art)
  set(font ${PROJECT_SOURCE_DIR}/data/zarkolt/art/font.art)
  set(shared ${PROJECT_SOURCE_DIR}/data/common/m6809)
  file(MAKE_DIRECTORY ${images})
  file(GLOB asm_includes ${source}/*.inc ${shared}/*.inc)
  velto_assemble_6809(${images}/${name}_cpu1.rom ${source}/cpu1.asm ${cpu1_base} ${cpu1_size} SUM 0xFFEF
                      INCLUDE ${shared} DEPENDS ${asm_includes})
  velto_assemble_6809(${images}/${name}_cpu2.rom ${source}/cpu2.asm 0xE000 8192 SUM 0xFFEF
                      INCLUDE ${shared} DEPENDS ${asm_includes})
  add_custom_command(OUTPUT ${images}/${name}_chars.rom
    COMMAND ${DATAPACK} kluno-chars ${font} ${art}/chars.art ${name}_chars.rom
    DEPENDS ${DATAPACK_DEPENDS} ${font} ${art}/chars.art
    WORKING_DIRECTORY ${images} VERBATIM)
  add_custom_command(OUTPUT ${images}/${name}_sprites.rom
    COMMAND ${DATAPACK} kluno-sprites ${art}/sprites.art ${name}_sprites.rom ${sprite_codes}
    DEPENDS ${DATAPACK_DEPENDS} ${art}/sprites.art WORKING_DIRECTORY ${images} VERBATIM)
  add_custom_command(
    OUTPUT ${images}/${name}_colours.prom ${images}/${name}_char_clut.prom ${images}/${name}_sprite_clut.prom
    COMMAND ${DATAPACK} kluno-colours ${art}/colours.txt ${name}_colours.prom ${name}_char_clut.prom
            ${name}_sprite_clut.prom
    DEPENDS ${DATAPACK_DEPENDS} ${art}/colours.txt WORKING_DIRECTORY ${images} VERBATIM)
  add_custom_command(OUTPUT ${images}/${name}_wave.prom
    COMMAND ${DATAPACK} wave ${name}_wave.prom
    DEPENDS ${DATAPACK_DEPENDS} WORKING_DIRECTORY ${images} VERBATIM)
endfunction()
