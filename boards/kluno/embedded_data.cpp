// Spans of the embedded data library to GameData, in ImageSlots order.
#include "boards/kluno/embedded_data.h"

#include <iterator>

namespace kluno {

GameData GameDataOf(const KlunoImages& d) {
    const ImageSpan* spans[] = {&d.characters, &d.characterColorProm, &d.sprites, &d.spriteColorProm, &d.cpu1,
                                &d.cpu2,       &d.colorProm,          &d.waveProm};
    static_assert(std::size(spans) == std::size(ImageSlots));
    GameData data;
    for (size_t i = 0; i < std::size(spans); i++)
        data.*ImageSlots[i].member = {spans[i]->data(), spans[i]->size()};
    return data;
}

} // namespace kluno
