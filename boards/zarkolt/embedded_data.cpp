// Spans of the embedded data library to GameData, in ImageSlots order.
#include "boards/zarkolt/embedded_data.h"

#include <iterator>

namespace zarkolt {

GameData GameDataOf(const ZarkoltImages& d) {
    const ImageSpan* spans[] = {&d.cpu1,      &d.cpu2,         &d.cpu3,          &d.characters,
                                &d.tilesA,    &d.tilesB,       &d.sprites1,      &d.sprites2,
                                &d.sprites3,  &d.spritePlane3, &d.tileColorProm, &d.spriteColorProm,
                                &d.redProm,   &d.greenProm,    &d.blueProm,      &d.waveProm,
                                &d.lookupMap, &d.lookupFlags,  &d.lookupResultA, &d.lookupResultB,
                                &d.sample0,   &d.sample1,      &d.sample2};
    static_assert(std::size(spans) == std::size(ImageSlots));
    GameData data;
    for (size_t i = 0; i < std::size(spans); i++)
        data.*ImageSlots[i].member = {spans[i]->data(), spans[i]->size()};
    return data;
}

} // namespace zarkolt
