// Spans in the manifest's order to GameData, by ImageSlots.
#include "boards/zarkolt/embedded_data.h"

namespace zarkolt {

GameData GameDataOf(std::span<const boards::ImageBytes> images) {
    return boards::GameDataOf(images, ImageSlots);
}

} // namespace zarkolt
