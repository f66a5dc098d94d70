// RONKU's face: build, controls, coin and starts, picture, palettes, full
// screen, eight voices and the frame-rate meter. The screen saver's build
// runs the game's map with KLUNO's latch and every host byte 0.
#include "boards/ronku/ronku_board.h"

#include <algorithm>
#include <iterator>

#include "boards/common/face_images.h"
#include "boards/common/picture_copy.h"
#include "boards/kluno/sound.h"
#include "boards/ronku/ronku.h"

#ifdef RONKU_EMBEDDED_DATA
#include "data/ronku/ronku_data.h"
#endif

namespace ronku {

namespace {

constexpr auto Images = boards::ImageFilesOf(ImageSlots);

const char* const Controls[] = {"up", "down", "left", "right", "shot"};
constexpr void (*ControlHandlers[])(uint16_t, uint32_t) = {KeyUp, KeyDown, KeyLeft, KeyRight, KeyShot};

bool Build(const GameData& data, const kluno::Edition& edition, std::string& error) {
    if (BuildRonkuMachine(data, edition)) return true;
    error = boards::BadImageMessage(data, ImageSlots);
    return false;
}

bool BuildFromImages(std::span<const boards::ImageBytes> images, std::string& error) {
    static GameData data;
    data = boards::GameDataOf(images, ImageSlots);
    return Build(data, RonkuEdition, error);
}

#ifdef RONKU_EMBEDDED_DATA
bool BuildEmbedded(std::string& error) {
    static GameData data;
    data = boards::GameDataOf(RonkuData(), ImageSlots);
    return Build(data, RonkuEdition, error);
}
// KLUNO's latch, and every host byte 0: the refresh answers the boot check
// and otherwise gives the chips zero inputs and switches.
bool BuildAttract(std::string& error) {
    static GameData data;
    data = boards::GameDataOf(RonkuData(), ImageSlots);
    return Build(data, AttractEdition, error);
}
#else
constexpr bool (*BuildEmbedded)(std::string&) = nullptr;
constexpr bool (*BuildAttract)(std::string&) = nullptr;
#endif

void SetFrameBuffer(uint8_t* pixels) {
    FrameBuffer = pixels;
}

void SetTurned(bool) {}

void Render(bool) {
    RenderFrame();
}

boards::Picture PictureOf(bool) {
    return boards::PortraitPicture(FrameBuffer, false);
}

void Palette(boards::Colour* pens) {
    std::copy(std::begin(GamePalette), std::end(GamePalette), pens);
}

void Screen(boards::Colour* entries) {
    std::copy(std::begin(ScreenPalette), std::end(ScreenPalette), entries);
}

void ComposeFullScreen(uint8_t* surface, ptrdiff_t pitch, const uint8_t*, ptrdiff_t, bool) {
    CopyPictureFullScreen(surface, pitch);
}

// The controls as the bytes the game names now show them; the shot is its held level.
uint32_t ControlBits() {
    int m = IoChipRegs[8];
    uint32_t bits = 0;
    if (m <= 7) {
        uint8_t directions = IoChipInputs[7 - m];
        bits |= (directions & 1 ? ControlUp : 0) | (directions & 2 ? ControlRight : 0) |
                (directions & 4 ? ControlDown : 0) | (directions & 8 ? ControlLeft : 0);
    }
    if (m <= 8 && IoChipInputs[8 - m] & 2) bits |= ControlShot;
    return bits;
}

void ControlKey(int control, uint16_t flags, uint32_t pressed) {
    if (control >= 0 && control < int(std::size(ControlHandlers))) ControlHandlers[control](flags, pressed);
}

// Each control that changes is pressed or released through its key's handler.
void SetControls(uint32_t bits) {
    uint32_t changed = bits ^ ControlBits();
    for (int control = 0; control < int(std::size(ControlHandlers)); control++)
        if (changed & 1u << control) ControlKey(control, 0, bits >> control & 1);
}

void InsertCoin() {
    KeyCoin(0, 1);
}

bool PressStart(uint32_t needed, uint32_t) {
    return StartPlayer(needed >= 2 ? 2 : 1);
}

bool TakesKeys() {
    return IoChipHold == 0;
}

uint8_t Peek(uint32_t address) {
    return M6809ReadByte(&Cpus[Cpu1], uint16_t(address));
}

} // namespace

const boards::BoardFace Face = {
    .name = "ronku",
    .images = Images,
    .buildEmbedded = BuildEmbedded,
    .buildFromImages = BuildFromImages,
    .reset = ResetMachine,
    .applySettings = nullptr,
    .runFrame = RunFrame,
    .frameMilliseconds = 17,
    .soundTick = nullptr,
    .soundTickMilliseconds = 0,
    .setFrameBuffer = SetFrameBuffer,
    .frameWidth = FrameWidth,
    .frameHeight = FrameHeight,
    .pictureLeft = 16,
    .pictureTop = 16,
    .pictureWidth = 224,
    .pictureHeight = 288,
    .canTurn = false,
    .setTurned = SetTurned,
    .render = Render,
    .picture = PictureOf,
    .firstPen = kluno::FirstGamePen,
    .penCount = int(std::size(GamePalette)),
    .gamePalette = Palette,
    .buildCardPalette = nullptr,
    .cardPalette = Screen,
    .composeFullScreen = ComposeFullScreen,
    .controls = Controls,
    .controlCount = int(std::size(Controls)),
    .controlBits = ControlBits,
    .setControls = SetControls,
    .insertCoin = InsertCoin,
    .pressStart = PressStart,
    .beforeKey = TakesKeys,
    .controlKey = ControlKey,
    .testMode = nullptr,
    .setTestMode = nullptr,
    .testModeResets = false,
    .soundBuffers = kluno::SoundBuffers,
    .attachSound = kluno::AttachSound,
    .setSoundMute = kluno::SetSoundMute,
    .silence = kluno::Silence,
    .scoreSize = 0,
    .scoresOut = nullptr,
    .scoresIn = nullptr,
    .defaultScores = nullptr,
    .installScoreTraps = nullptr,
    .startRateMeter = StartRateMeter,
    .peek = Peek,
    .voiceLine = kluno::VoiceLine,
    .buildAttract = BuildAttract,
};

} // namespace ronku
