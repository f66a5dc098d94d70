// ZARKOLT for Windows: the game program frame with the ZARKOLT board, its
// game data and its high-score traps.
#include <windows.h>

#include <iterator>

#include "data/zarkolt/zarkolt_data.h"
#include "frame/program_win.h"

namespace {

zarkolt::GameData EmbeddedData() {
    const ZarkoltImages& d = ZarkoltData();
    const ImageSpan* spans[] = {&d.cpu1,      &d.cpu2,         &d.cpu3,          &d.characters,
                                &d.tilesA,    &d.tilesB,       &d.sprites1,      &d.sprites2,
                                &d.sprites3,  &d.spritePlane3, &d.tileColorProm, &d.spriteColorProm,
                                &d.redProm,   &d.greenProm,    &d.blueProm,      &d.waveProm,
                                &d.lookupMap, &d.lookupFlags,  &d.lookupResultA, &d.lookupResultB,
                                &d.sample0,   &d.sample1,      &d.sample2};
    static_assert(std::size(spans) == std::size(zarkolt::ImageSlots));
    zarkolt::GameData data;
    for (size_t i = 0; i < std::size(spans); i++)
        data.*zarkolt::ImageSlots[i].member = {spans[i]->data(), spans[i]->size()};
    return data;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static const zarkolt::GameData data = EmbeddedData();
    static const frame::GameProgram game = {"ZARKOLT", "ZARKOLT - ﾃｽﾄﾓｰﾄﾞ", &zarkolt::ZarkoltEdition, &data,
                                            &frame::ZarkoltTraps};
    return frame::FrameMain(instance, game);
}
