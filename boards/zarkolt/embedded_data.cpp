// Spans in the manifest's order to GameData, by ImageSlots.
#include "boards/zarkolt/embedded_data.h"

#include <iterator>

namespace zarkolt {

GameData GameDataOf(std::span<const boards::ImageBytes> images) {
    GameData data;
    for (size_t i = 0; i < std::size(ImageSlots) && i < images.size(); i++)
        data.*ImageSlots[i].member = {images[i].data(), images[i].size()};
    return data;
}

} // namespace zarkolt
