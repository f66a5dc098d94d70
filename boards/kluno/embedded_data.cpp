// Spans of the embedded data library to GameData: both follow the manifest.
#include "boards/kluno/embedded_data.h"

namespace kluno {

GameData GameDataOf(std::span<const ImageSpan> images) {
    return boards::GameDataOf(images, ImageSlots);
}

} // namespace kluno
