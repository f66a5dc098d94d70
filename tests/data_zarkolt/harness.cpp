// Headless runs of our game data on the ZARKOLT board (see harness.h).
#include "harness.h"

#include <cstring>

#include "boards/superzar/superzar.h"
#include "boards/zarkolt/zarkolt_board.h"
#include "tools/png/png_file.h"

namespace harness {

TrapLog Traps;
SoundLog Sounds;

namespace {

// A sound device that only counts what it is asked to play.
void NoLock() {}
uint32_t Status(int) {
    return 0;
}
boards::PlayResult Play(int buffer, bool) {
    if (buffer >= zarkolt::SampleBuffer0 && buffer < zarkolt::SampleBuffer0 + 3)
        ++Sounds.samplePlays[buffer - zarkolt::SampleBuffer0];
    if (buffer >= zarkolt::VoiceBuffer0 && buffer < zarkolt::VoiceBuffer0 + 3)
        ++Sounds.voicePlays[buffer - zarkolt::VoiceBuffer0];
    return boards::PlayResult::Ok;
}
void Buffer(int) {}
void Fill(int, const void*, uint32_t) {}
void Set(int, uint32_t) {}
void SetVolume(int, int32_t) {}
const boards::SoundSeam Recorder = {NoLock, NoLock, Status, Play, Buffer, Buffer, Fill, Set, Set, SetVolume};

const boards::BoardFace* Current = &zarkolt::Face;

// Stands in for the host's high-score handlers: counts the loads and saves,
// loads the built-in table and keeps what was saved.
void LoadScores() {
    ++Traps.loads;
    std::vector<uint8_t> table(Current->scoreSize);
    Current->defaultScores(table.data());
    Current->scoresIn(table.data());
}

void SaveScores() {
    ++Traps.saves;
    Traps.saved.assign(Current->scoreSize, 0);
    Current->scoresOut(Traps.saved.data());
}

} // namespace

const boards::BoardFace& Face() {
    return *Current;
}

void Start(const Options& options) {
    Traps = {};
    Sounds = {};
    Current = options.super ? &superzar::Face : &zarkolt::Face;
    std::string error;
    if (!Current->buildEmbedded(error)) std::abort();
    if (options.traps) Current->installScoreTraps({LoadScores, SaveScores});
    Current->attachSound(&Recorder);
    Current->setSoundMute(false);
    const uint32_t settings[] = {options.dips.lives, options.dips.bonus, options.dips.difficulty};
    Current->applySettings(std::span<const uint32_t>(settings, 3));
    if (options.testMode) Current->setTestMode(true);
    Current->reset();
}

void RunFrames(int count) {
    boards::FrameHooks hooks{};
    hooks.render = [] { Current->render(false); };
    for (int i = 0; i < count; ++i)
        Current->runFrame(hooks);
}

void SetInput(uint8_t input) {
    Current->setControls(input);
}

void AddCoin() {
    Current->insertCoin();
}

bool PressStart(int players) {
    return Current->pressStart(uint32_t(players), uint32_t(players));
}

uint8_t ReadRam(uint16_t address) {
    return Current->peek(address);
}

std::vector<uint8_t> Picture() {
    boards::Picture picture = Current->picture(false);
    std::vector<uint8_t> pens(size_t(picture.width) * size_t(picture.height));
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(&pens[size_t(y) * size_t(picture.width)], picture.pixels + y * picture.pitch,
                    size_t(picture.width));
    return pens;
}

bool WritePng(const std::string& path) {
    std::string error;
    return png_file::WritePalettePng(path, Current->picture(false), png_file::PaletteOf(*Current), error);
}

} // namespace harness
