// KLUNO's face: build, controls, coin and start, test switch, picture,
// palettes, full screen, eight voices and the high-score table. The screen
// saver's build runs the ROM unpatched with every host byte 0 (the demo sound
// on) and draws the upright picture by the family's colour-set method.
#include "boards/kluno/kluno_board.h"

#include <algorithm>
#include <iterator>

#include "boards/common/face_images.h"
#include "boards/common/picture_copy.h"
#include "boards/common/pulse.h"
#include "boards/kluno/kluno.h"
#include "boards/kluno/score_traps.h"

#ifdef KLUNO_EMBEDDED_DATA
#include "boards/kluno/embedded_data.h"
#endif

namespace kluno {

namespace {

constexpr auto Images = boards::ImageFilesOf(ImageSlots);

const char* const Controls[] = {"up",      "down", "left",    "right",  "shot",
                                "service", "coin", "start1p", "start2p"};

constexpr uint32_t CoinStart = ControlCoin | ControlStart1 | ControlStart2;
uint32_t HeldCoinStart; // the coin and start controls from setControls
boards::CoinStartPulses Pulses{ControlCoin, ControlStart1, ControlStart2};

// The upright picture's cells: KLUNO's own, or the colour sets for the saver.
CharacterDrawer UprightCells = DrawCharacter;

void SetBit(uint8_t& byte, int bit, bool on) {
    byte = uint8_t((byte & ~(1 << bit)) | (on ? 1 << bit : 0));
}

bool Finish(const GameData& data, std::string& error) {
    if (!BuildKlunoMachine(data, nullptr)) {
        error = boards::BadImageMessage(data, ImageSlots);
        return false;
    }
    HeldCoinStart = 0;
    Pulses.Clear();
    UprightCells = DrawCharacter;
    return true;
}

bool BuildFromImages(std::span<const boards::ImageBytes> images, std::string& error) {
    static GameData data;
    data = boards::GameDataOf(images, ImageSlots);
    return Finish(data, error);
}

#ifdef KLUNO_EMBEDDED_DATA
bool BuildEmbedded(std::string& error) {
    static GameData data;
    data = GameDataOf(KlunoData());
    return Finish(data, error);
}
// No settings and no traps: every host byte stays 0, so the game's demo
// sound is on; the chips' mode answers keep it in attract.
bool BuildAttract(std::string& error) {
    if (!BuildEmbedded(error)) return false;
    DecodeColourSetCharacters(GameImages.characters.data, GameImages.characterLookup.data);
    UprightCells = DrawColourSetCharacter;
    return true;
}
#else
constexpr bool (*BuildEmbedded)(std::string&) = nullptr;
constexpr bool (*BuildAttract)(std::string&) = nullptr;
#endif

void ApplySettings(std::span<const uint32_t> options) {
    DipSettings settings;
    uint32_t* fields[] = {&settings.ships, &settings.bonus, &settings.difficulty, &settings.demoSound};
    for (size_t i = 0; i < std::size(fields) && i < options.size(); i++)
        *fields[i] = options[i];
    ApplyDipSwitches(settings);
}

// Chip 1's coin and start bits: held, or on in this frame's pulses.
void WriteCoinStart() {
    uint32_t bits = HeldCoinStart | Pulses.on;
    SetBit(IoChipInputs[0][0], 0, bits & ControlCoin);
    SetBit(IoChipInputs[0][3], 2, bits & ControlStart1);
    SetBit(IoChipInputs[0][3], 3, bits & ControlStart2);
}

// The bytes change here only when a pulse starts or ends: the keys' bits
// are the user-interface thread's while nobody pulses.
void RunOneFrame(const boards::FrameHooks& hooks) {
    uint32_t before = Pulses.on;
    if (Pulses.Advance() != before) WriteCoinStart();
    RunFrame(hooks);
}

void SetFrameBuffer(uint8_t* pixels) {
    FrameBuffer = pixels;
}

void SetTurned(bool turned) {
    turned ? DecodeCharactersModeX() : DecodeCharacters();
}

void Render(bool turned) {
    turned ? RenderFrameModeX() : DrawScene(MainRam, ScrollValue, UprightCells, false);
}

boards::Picture PictureOf(bool turned) {
    return boards::PortraitPicture(FrameBuffer, turned);
}

void Palette(boards::Colour* pens) {
    std::copy(std::begin(GamePalette), std::end(GamePalette), pens);
}

void Card(boards::Colour* entries) {
    std::copy(std::begin(CardPalette), std::end(CardPalette), entries);
}

void ComposeFullScreen(uint8_t* surface, ptrdiff_t pitch, const uint8_t* card, ptrdiff_t cardPitch,
                       bool turned) {
    boards::ComposeFullScreen(FrameBuffer, surface, pitch, card, cardPitch, turned);
}

uint32_t ControlBits() {
    const uint8_t* chip = IoChipInputs[0];
    return (chip[1] & 1 ? ControlUp : 0) | (chip[1] & 4 ? ControlDown : 0) | (chip[1] & 8 ? ControlLeft : 0) |
           (chip[1] & 2 ? ControlRight : 0) | (chip[3] & 1 ? ControlShot : 0) |
           (chip[0] & 8 ? ControlService : 0) | HeldCoinStart;
}

void SetControls(uint32_t bits) {
    uint8_t* chip = IoChipInputs[0];
    SetBit(chip[1], 0, bits & ControlUp);
    SetBit(chip[1], 1, bits & ControlRight);
    SetBit(chip[1], 2, bits & ControlDown);
    SetBit(chip[1], 3, bits & ControlLeft);
    SetBit(chip[3], 0, bits & ControlShot);
    SetBit(chip[0], 3, bits & ControlService);
    HeldCoinStart = bits & CoinStart;
    WriteCoinStart();
}

void InsertCoin() {
    Pulses.coin.Press();
}

// A start for one player taking up to two (the joystick's one start button)
// gives both start signals at once.
bool PressStart(uint32_t needed, uint32_t most) {
    if (needed < 2) Pulses.start1.Press();
    if (needed >= 2 || most >= 2) Pulses.start2.Press();
    return true;
}

bool TestMode() {
    return IoChipInputs[1][6] & 0x08;
}

void SetTestMode(bool on) {
    SetBit(IoChipInputs[1][6], 3, on);
}

// Key messages are dropped while the latch holds the I/O chips.
bool TakesKeys() {
    return IoChipHold == 0;
}

uint8_t Peek(uint32_t address) {
    return M6809ReadByte(&Cpus[Cpu1], uint16_t(address));
}

} // namespace

const boards::BoardFace Face = {
    .name = "kluno",
    .images = Images,
    .buildEmbedded = BuildEmbedded,
    .buildFromImages = BuildFromImages,
    .reset = ResetMachine,
    .applySettings = ApplySettings,
    .runFrame = RunOneFrame,
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
    .canTurn = true,
    .smallScreen = false,
    .setTurned = SetTurned,
    .render = Render,
    .picture = PictureOf,
    .firstPen = FirstGamePen,
    .penCount = int(std::size(GamePalette)),
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
    .beforeKey = TakesKeys,
    .controlKey = nullptr,
    .testMode = TestMode,
    .setTestMode = SetTestMode,
    .testModeResets = false,
    .soundBuffers = SoundBuffers,
    .attachSound = AttachSound,
    .setSoundMute = SetSoundMute,
    .silence = Silence,
    .scoreSize = ScoreTableSize,
    .scoresOut = ScoresOut,
    .scoresIn = ScoresIn,
    .defaultScores = DefaultScores,
    .installScoreTraps = InstallScoreTraps,
    .startRateMeter = nullptr,
    .peek = Peek,
    .voiceLine = VoiceLine,
    .buildAttract = BuildAttract,
};

} // namespace kluno
