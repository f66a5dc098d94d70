// Spans of the embedded data library to GameData, in ImageSlots order.
#include "boards/kluno/embedded_data.h"

#include <iterator>

namespace kluno {

GameData GameDataOf(const KlunoImages& d) {
    const ImageSpan images[] = {d.characters, d.characterColorProm, d.sprites, d.spriteColorProm, d.cpu1,
                                d.cpu2,       d.colorProm,          d.waveProm};
    static_assert(std::size(images) == std::size(ImageSlots));
    return boards::GameDataOf(std::span<const ImageSpan>(images), ImageSlots);
}

} // namespace kluno
