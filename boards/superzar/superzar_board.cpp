// The SUPER ZARKOLT edition behind the board face: ZARKOLT's face with the
// edition's name, game data, trap places and no test mode.
#include "boards/superzar/superzar.h"
#include "boards/zarkolt/embedded_data.h"
#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/zarkolt_board.h"

namespace superzar {

namespace {

bool Build(std::string& error) {
    static zarkolt::GameData data;
    data = zarkolt::GameDataOf(SuperZarkoltData());
    return zarkolt::BuildEdition(data, SuperZarkoltEdition, zarkolt::SuperZarkoltTraps, error);
}

bool BuildFromImages(std::span<const boards::ImageBytes> images, std::string& error) {
    static zarkolt::GameData data;
    data = zarkolt::GameDataOf(images);
    return zarkolt::BuildEdition(data, SuperZarkoltEdition, zarkolt::SuperZarkoltTraps, error);
}

bool BuildAttract(std::string& error) {
    static zarkolt::GameData data;
    data = zarkolt::GameDataOf(SuperZarkoltData());
    return zarkolt::BuildAttract(data, SuperZarkoltEdition, zarkolt::IoChipAttractForm, error);
}

} // namespace

const boards::BoardFace Face = zarkolt::FamilyFace("superzar", Build, BuildFromImages, false, BuildAttract);

} // namespace superzar
