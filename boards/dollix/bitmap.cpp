// The bitmap layer: fills, run-length pictures, the screens of the 16
// drawing commands and the per-frame command step.
#include "boards/dollix/bitmap.h"

#include <algorithm>
#include <cstring>

#include "boards/dollix/machine.h"

namespace dollix {

uint8_t BitmapPlane[0x10000];

namespace {

constexpr uint16_t BandBytes = 16 * PlaneRowBytes; // 4,608
constexpr uint16_t MiddleStart = VisibleLayer + BandBytes;
constexpr uint16_t BottomBandStart = 0xEC00;
constexpr uint32_t VisibleBytes = 224 * PlaneRowBytes; // 64,512

constexpr PlaneFill Whole(uint8_t pen) {
    return {VisibleLayer, uint16_t(VisibleBytes), pen};
}
constexpr PlaneFill Middle(uint8_t pen) {
    return {MiddleStart, uint16_t(192 * PlaneRowBytes), pen};
}
constexpr PlaneFill TopBand(uint8_t pen) {
    return {VisibleLayer, BandBytes, pen};
}
constexpr PlaneFill BottomBand(uint8_t pen) {
    return {BottomBandStart, BandBytes, pen};
}
// Rows first to first + 31.
constexpr PlaneFill Strip(int first, uint8_t pen) {
    return {uint16_t(VisibleLayer + first * PlaneRowBytes), uint16_t(32 * PlaneRowBytes), pen};
}

constexpr uint8_t BandPen = 14;

// Reads the picture block; offsets past its end fold back into it.
uint8_t PictureByte(uint16_t offset) {
    return GameImages.pictures.data[offset & (PictureBlockSize - 1)];
}

// Stores the pen replicated into 64-bit words, then the last bytes.
void StoreWords(uint8_t* bytes, uint32_t count, uint8_t pen) {
    uint64_t word = pen * 0x0101010101010101u;
    uint32_t i = 0;
    for (; i + 8 <= count; i += 8)
        std::memcpy(bytes + i, &word, 8);
    for (; i < count; i++)
        bytes[i] = pen;
}

void RunFill(const PlaneFill& fill) {
    FillPlane(fill.start, fill.bytes, fill.pen);
}

} // namespace

// Command 2 tiles the middle with 9 x 6 copies of a 32 x 32 picture.
const BitmapScreen BitmapScreens[16] = {
    {1, {Whole(15)}, {{2088, 7440}, {4602, 7568}, {7216, 28176}, {8654, 26048}}},
    {0, {TopBand(BandPen), BottomBand(BandPen), Whole(10)}, {{14088, 13788}, {14868, 37376}}},
    {0, {TopBand(BandPen), BottomBand(BandPen)}, {{11176, MiddleStart, 9, 6, 32, 32 * PlaneRowBytes}}},
    {1, {Whole(0)}, {}},
    {0,
     {TopBand(BandPen), BottomBand(BandPen), Strip(16, 2), Strip(176, 5)},
     {{10130, 14336}, {10130, 14432}, {10130, 14528}}},
    {0,
     {TopBand(BandPen), BottomBand(BandPen), Middle(12)},
     {{11358, 6016}, {14088, 13964}, {14868, 37552}, {11598, 28160}, {12870, 28240}}},
    {0,
     {TopBand(BandPen), BottomBand(BandPen), Middle(12)},
     {{16184, 9152}, {18088, 10144}, {18994, 32768}, {20964, 32896}}},
    {0,
     {TopBand(BandPen), BottomBand(BandPen), Middle(10)},
     {{22522, 19827}, {23860, 42864}, {24398, 10417}, {25458, 9920}, {25974, 37504}, {26792, 37568}}},
    {0,
     {TopBand(BandPen), BottomBand(BandPen), Middle(12)},
     {{27382, 7472}, {28596, 32784}, {29570, 32864}, {30906, 32940}}},
    {0, {TopBand(3), BottomBand(3)}, {}},
    {0, {TopBand(BandPen), BottomBand(BandPen)}, {}},
    {0, {Whole(10)}, {{22522, 19811}, {23860, 42848}}},
    {0, {TopBand(BandPen), BottomBand(BandPen), Whole(10)}, {{28596, 32772}}},
    {0, {Whole(10)}, {{27382, 32772}}},
    {0, {Whole(10)}, {{11358, 10596}}},
    {0, {Whole(10)}, {{28130, 37380}}},
};

void FillPlane(uint16_t start, uint32_t bytes, uint8_t pen) {
    uint32_t first = std::min<uint32_t>(bytes, sizeof BitmapPlane - start);
    StoreWords(BitmapPlane + start, first, pen);
    StoreWords(BitmapPlane, bytes - first, pen);
}

void FillBitmap(uint8_t pen) {
    RunFill(Whole(pen));
}

void FillBitmapMiddle(uint8_t pen) {
    RunFill(Middle(pen));
}

void FillBitmapBands() {
    RunFill(TopBand(BandPen));
    RunFill(BottomBand(BandPen));
}

void DrawPicture(uint16_t source, uint16_t destination) {
    uint32_t width = PictureByte(source++);
    uint32_t height = PictureByte(source++);
    // A width of 0 would never end a row; such a picture is empty too.
    if (height == 0 || width == 0) return;
    uint32_t pen = 0, run = 0;
    uint16_t rowStart = destination;
    for (uint32_t row = 0; row < height; row++) {
        uint16_t position = rowStart;
        for (uint32_t column = 0; column < width;) {
            if (run == 0) {
                uint8_t byte = PictureByte(source++);
                pen = byte >> 4;
                run = byte & 0x0F ? byte & 0x0F : 16;
            }
            // The part of the run in this row, as one span of the plane
            // (split where it wraps at 64 KB); pen 0 leaves it as it is.
            uint32_t span = std::min(run, width - column);
            if (pen) {
                uint32_t first = std::min<uint32_t>(span, 0x10000 - position);
                std::memset(BitmapPlane + position, int(pen), first);
                std::memset(BitmapPlane, int(pen), span - first);
            }
            position = uint16_t(position + span);
            column += span;
            run -= span;
        }
        rowStart = uint16_t(rowStart + PlaneRowBytes);
    }
}

void DrawBitmapScreen(int command) {
    const BitmapScreen& screen = BitmapScreens[command];
    Ram[PenMapSelect] = screen.penMap;
    for (const PlaneFill& fill : screen.fills)
        if (fill.bytes) RunFill(fill);
    for (const PicturePlacement& picture : screen.pictures) {
        if (!picture.source) continue;
        for (int j = 0; j < picture.rows; j++)
            for (int i = 0; i < picture.columns; i++)
                DrawPicture(picture.source,
                            uint16_t(picture.destination + i * picture.columnStep + j * picture.rowStep));
    }
}

void ResetBitmapLayer() {
    if (Ram[Handshake] == HandshakeRequest) {
        Ram[Handshake + 1] = 0;
        Ram[Handshake + 2] = 0;
    }
    Ram[Handshake] = HandshakeReady;
    std::memset(Ram + CommandFlags, 0, Handshake - CommandFlags);
    FillBitmap(0);
    BitmapInitialised = 1;
}

void RunBitmapCommand(int n) {
    if (n < 0 || n >= BitmapCommandCount) return;
    Ram[CommandFlags + n] = 0;
    if (n < 16) DrawBitmapScreen(n);
}

void ServeBitmapCommands() {
    if (Ram[Handshake] == HandshakeRequest) {
        BitmapInitialised = 0;
        return;
    }
    for (int n = 0; n < BitmapCommandCount; n++)
        if (Ram[CommandFlags + n]) RunBitmapCommand(n);
}

void RunBitmapCommands() {
    if (!BitmapInitialised) ResetBitmapLayer();
    ServeBitmapCommands();
}

} // namespace dollix
