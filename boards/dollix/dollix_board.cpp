// DOLLIX's board face.
#include "boards/dollix/dollix_board.h"

#include <cstring>
#include <iterator>

#include "boards/common/face_images.h"
#include "boards/common/picture_copy.h"
#include "boards/common/pulse.h"
#include "boards/dollix/dollix.h"
#include "data/dollix/dollix_data.h"

namespace dollix {

namespace {

constexpr auto Images = boards::ImageFilesOf(ImageSlots);

// Where each control bit lands: input byte and bit.
struct ControlPlace {
    uint8_t byte, bit;
};
constexpr ControlPlace ControlPlaces[] = {
    {1, StickUp},   {1, StickRight}, {1, StickDown}, {1, StickLeft}, {3, Button1},
    {2, StickUp},   {2, StickRight}, {2, StickDown}, {2, StickLeft}, {3, Button2},
    {0, InputCoin}, {3, Start1},     {3, Start2},
};
const char* const Controls[] = {"up",    "right", "down",    "left", "button",  "up2",    "right2",
                                "down2", "left2", "button2", "coin", "start1p", "start2p"};
static_assert(std::size(Controls) == std::size(ControlPlaces));

uint32_t heldControls; // from setControls: key messages and the joystick poll, under the frame mutex
boards::CoinStartPulses pulses{ControlCoin, ControlStart1, ControlStart2};

bool Finish(const GameData& data, std::string& error) {
    if (!BuildBoard(data, {}, false)) {
        error = boards::BadImageMessage(data, ImageSlots);
        return false;
    }
    heldControls = 0;
    pulses.Clear();
    return true;
}

bool BuildEmbedded(std::string& error) {
    return Finish(boards::GameDataOf(DollixData(), ImageSlots), error);
}

// The screen saver's machine: the ROM unpatched, every input and switch
// byte 0; the chips' mode answers keep the game in attract.
bool BuildAttract(std::string& error) {
    if (!BuildEmbedded(error)) return false;
    InputPorts = {};
    return true;
}

bool BuildFromImages(std::span<const boards::ImageBytes> images, std::string& error) {
    return Finish(boards::GameDataOf(images, ImageSlots), error);
}

void ApplySettings(std::span<const uint32_t> options) {
    DipSettings settings;
    uint32_t* fields[] = {&settings.lives, &settings.bonus, &settings.difficulty, &settings.stageSelect};
    for (size_t i = 0; i < std::size(fields) && i < options.size(); i++)
        *fields[i] = options[i];
    ApplyDipSwitches(settings);
}

// The input bytes from the held controls and this frame's coin and starts.
void WriteInputs() {
    uint32_t bits = heldControls | pulses.Advance();
    InputPorts.input[0] = InputPorts.input[1] = InputPorts.input[2] = InputPorts.input[3] = 0;
    for (size_t i = 0; i < std::size(ControlPlaces); i++)
        if (bits >> i & 1) InputPorts.input[ControlPlaces[i].byte] |= ControlPlaces[i].bit;
}

// The input bytes are written at the frame's input step, after the
// platform's poll, which may change the controls.
void RunBoardFrame(const boards::FrameHooks& hooks) {
    static const boards::FrameHooks* outer;
    outer = &hooks;
    boards::FrameHooks inner = hooks;
    inner.pollInput = [] {
        boards::RunHook(outer->pollInput);
        WriteInputs();
    };
    RunFrame(inner);
}

void SetFrameBuffer(uint8_t* pixels) {
    FrameBuffer = pixels;
}

void Render(bool) {
    RenderFrame();
}

boards::Picture PictureOf(bool) {
    return {FrameBuffer + PictureTop * FrameWidth + PictureLeft, PictureWidth, PictureHeight, FrameWidth};
}

boards::Colour ColourOf(const PaletteEntry& entry) {
    return {entry.red, entry.green, entry.blue, entry.flags};
}

void Palette(boards::Colour* pens) {
    for (int i = 0; i < GameColorCount; i++)
        pens[i] = ColourOf(GamePalette[i]);
}

void Card(boards::Colour* entries) {
    for (int i = 0; i < 256; i++)
        entries[i] = ColourOf(CardPalette[i]);
}

// 320 x 240 ("turned" for the face: DOLLIX's picture is landscape already)
// or 640 x 480 with the card.
void ComposeFullScreen(uint8_t* surface, ptrdiff_t pitch, const uint8_t* card, ptrdiff_t cardPitch,
                       bool small) {
    if (small) {
        CopyPictureModeX(surface, pitch);
        return;
    }
    if (card) boards::CopyCard(card, cardPitch, surface, pitch);
    CopyPictureFullScreen(surface, pitch);
}

uint32_t ControlBits() {
    return heldControls;
}

void SetControls(uint32_t bits) {
    heldControls = bits;
}

void InsertCoin() {
    pulses.coin.Press();
}

bool PressStart(uint32_t needed, uint32_t) {
    if (needed < 1 || needed > 2) return false;
    (needed == 1 ? pulses.start1 : pulses.start2).Press();
    return true;
}

bool TestMode() {
    return InputPorts.dip[0] & TestSwitch;
}

void InstallScoreTraps(const boards::ScoreTrapHandlers& handlers) {
    Hooks.loadHighScores = handlers.load;
    Hooks.saveHighScores = handlers.save;
    PatchHighScoreTraps();
}

uint8_t Peek(uint32_t address) {
    return M6809ReadByte(&Cpus[MainCpu], uint16_t(address));
}

} // namespace

void ScoresOut(uint8_t* table) {
    std::memcpy(table, Ram + 0x0849, 6);
    std::memcpy(table + 6, Ram + 0x09B2, 80);
}

void ScoresIn(const uint8_t* table) {
    std::memcpy(Ram + 0x0A02, MainRom + (0xCF29 - 0x8000), 16);
    std::memcpy(Ram + 0x0849, table, 6);
    std::memcpy(Ram + 0x09B2, table + 6, 80);
}

void DefaultScores(uint8_t* table) {
    const uint8_t block[6] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x00};
    std::memcpy(table, block, 6);
    std::memcpy(table + 6, MainRom + (0xCED9 - 0x8000), 80);
}

const boards::BoardFace Face = {
    .name = "dollix",
    .images = Images,
    .buildEmbedded = BuildEmbedded,
    .buildFromImages = BuildFromImages,
    .reset = ResetMachine,
    .applySettings = ApplySettings,
    .runFrame = RunBoardFrame,
    .frameMilliseconds = 17,
    .soundTick = nullptr,
    .soundTickMilliseconds = 0,
    .setFrameBuffer = SetFrameBuffer,
    .frameWidth = FrameWidth,
    .frameHeight = FrameHeight,
    .pictureLeft = PictureLeft,
    .pictureTop = PictureTop,
    .pictureWidth = PictureWidth,
    .pictureHeight = PictureHeight,
    .canTurn = false,
    .smallScreen = true,
    .setTurned = nullptr,
    .render = Render,
    .picture = PictureOf,
    .firstPen = FirstGameColor,
    .penCount = GameColorCount,
    .gamePalette = Palette,
    .buildCardPalette = BuildCardPalette,
    .cardPalette = Card,
    .composeFullScreen = ComposeFullScreen,
    .controls = Controls,
    .controlCount = int(std::size(Controls)),
    .controlBits = ControlBits,
    .setControls = SetControls,
    .insertCoin = InsertCoin,
    .pressStart = PressStart,
    .beforeKey = nullptr,
    .controlKey = nullptr,
    .testMode = TestMode,
    .setTestMode = SetTestSwitch,
    .testModeResets = false,
    .soundBuffers = kluno::SoundBuffers,
    .attachSound = kluno::AttachSound,
    .setSoundMute = kluno::SetSoundMute,
    .silence = kluno::Silence,
    .scoreSize = ScoreTableSize,
    .scoresOut = ScoresOut,
    .scoresIn = ScoresIn,
    .defaultScores = DefaultScores,
    .installScoreTraps = InstallScoreTraps,
    .startRateMeter = nullptr,
    .peek = Peek,
    .voiceLine = kluno::VoiceLine,
    .buildAttract = BuildAttract,
};

} // namespace dollix
