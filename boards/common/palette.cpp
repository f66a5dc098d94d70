// The instruction card's full-screen palette.
#include "boards/common/palette.h"

namespace boards {

void BuildCardPalette(PaletteEntry card[256], const uint8_t* colourTable, size_t entries) {
    if (!colourTable) return;
    card[0] = {0, 0, 0, 0};
    for (size_t i = 1; i < 254; i++) {
        card[i] = {0, 0, 0, 0};
        if (i >= entries) continue;
        const uint8_t* quad = colourTable + i * 4;
        card[i] = {quad[2], quad[1], quad[0], 0};
    }
    card[254] = {0, 0, 0, 0};
    card[255] = {255, 255, 255, 0};
}

} // namespace boards
