// The saver's display: the mode choice, the set-up of the flipping primary
// surface with its palette and border surface, and the per-frame flip and
// present.
#include "boards/common/picture_copy.h"
#include "saver/saver.h"

namespace saver {

namespace {

constexpr int PortraitWidth = 224, PortraitHeight = 288;
constexpr int LandscapeWidth = 288, LandscapeHeight = 224;
constexpr int FieldHalfWidth = 120, FieldHalfHeight = 152; // the black field: 240 x 304

} // namespace

void ChooseDisplayMode(ModeRule rule, ModeSize& chosen, uint32_t width, uint32_t height, uint32_t bits) {
    if (bits != 8) return;
    switch (rule) {
        case ModeRule::Portrait:
            if (height < width && height >= 304 && height < chosen.height) chosen = {width, height};
            break;
        case ModeRule::Landscape:
            if (height <= width && height >= 240 && width >= 304 && height < chosen.height &&
                width < chosen.width)
                chosen = {width, height};
            break;
    }
}

Rect BorderField(uint32_t width, uint32_t height) {
    int32_t x = int32_t(width / 2), y = int32_t(height / 2);
    return {x - FieldHalfWidth, y - FieldHalfHeight, x + FieldHalfWidth, y + FieldHalfHeight};
}

Point PicturePlace(bool border, uint32_t width, uint32_t height) {
    if (!border) return {16, 8};
    return {int32_t(width / 2) - PortraitWidth / 2, int32_t(height / 2) - PortraitHeight / 2};
}

void CopyPicture(const uint8_t* work, uint8_t* surface, ptrdiff_t pitch, bool border, uint32_t width,
                 uint32_t height) {
    Point at = PicturePlace(border, width, height);
    boards::CopyBytes(surface + at.y * pitch + at.x, pitch, work + boards::PictureOffset, WorkWidth,
                      border ? PortraitWidth : LandscapeWidth, border ? PortraitHeight : LandscapeHeight);
}

bool SetUpDisplay() {
    Handle directDraw = State.directDraw;
    Calls->setExclusiveLevel(directDraw);
    State.mode = {};
    Calls->enumerateModes(directDraw, Board->modeRule, State.mode);
    if (State.mode.width == NoMode) return false;
    uint32_t width = State.mode.width, height = State.mode.height;
    Calls->setDisplayMode(directDraw, width, height);

    // A surface that cannot be had ends the start-up as a missing mode does.
    State.primary = Calls->createFlippingPrimary(directDraw);
    if (!State.primary) return false;
    State.backBuffer = Calls->attachedBackBuffer(State.primary);
    if (!State.backBuffer) return false;

    if (Board->border) Palette[BorderIndex] = BorderColour;
    State.palette = Calls->createPalette(directDraw, Palette);
    if (State.palette) Calls->setPalette(State.primary, State.palette);

    if (!Board->border) return true;
    State.border = Calls->createPlainSurface(directDraw, width, height);
    if (!State.border) return false;
    Calls->colourFill(State.border, nullptr, BorderIndex);
    Rect field = BorderField(width, height);
    Calls->colourFill(State.border, &field, 0);
    return true;
}

void FlipDisplay() {
    if (State.primary) Calls->flip(State.primary);
}

void PresentPicture() {
    Handle back = State.backBuffer;
    if (!back) return;
    uint32_t width = State.mode.width, height = State.mode.height;
    if (Board->border) {
        if (State.border) Calls->blit(back, State.border, {0, 0, int32_t(width), int32_t(height)});
    } else {
        Calls->colourFill(back, nullptr, 0);
    }
    uint8_t* bits = nullptr;
    ptrdiff_t pitch = 0;
    if (!Calls->lock(back, &bits, &pitch)) return;
    CopyPicture(WorkBuffer, bits, pitch, Board->border, width, height);
    Calls->unlock(back, bits);
}

} // namespace saver
