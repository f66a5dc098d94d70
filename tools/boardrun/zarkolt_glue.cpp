// The ZARKOLT board in the headless runner: a sound device that keeps the
// buffer states, coins and starts as the game program's keys give them, the
// 8 ms sound tick run at the end of the frame, and the voice state as text.
#include <cstring>
#include <iterator>

#include "boards/zarkolt/zarkolt.h"
#include "tools/boardrun/board_glue.h"

#ifdef BOARDRUN_ZARKOLT_DATA
#include "boards/zarkolt/embedded_data.h"
#endif

namespace boardrun {

namespace {

using namespace zarkolt;

uint32_t bufferStatus[SoundBufferCount];
std::string samplesStarted; // during the frame just run

void NoLock() {}
uint32_t Status(int buffer) {
    return bufferStatus[buffer];
}
PlayResult Play(int buffer, bool looping) {
    bufferStatus[buffer] = StatusPlaying | (looping ? uint32_t(StatusLooping) : 0u);
    if (buffer >= SampleBuffer0 && buffer < PrimaryBuffer)
        samplesStarted += (samplesStarted.empty() ? "" : ",") + std::to_string(buffer - SampleBuffer0);
    return PlayResult::Ok;
}
void Stop(int buffer) {
    bufferStatus[buffer] = 0;
}
void Restore(int) {}
bool Fill(int, const void*, uint32_t) {
    return true;
}
void SetPosition(int, uint32_t) {}
void SetRate(int, uint32_t) {}
void SetVolume(int, int32_t) {}

const SoundSeam RunnerSound = {SoundBufferIds, NoLock, NoLock,      Status,  Play,     Stop,
                               Restore,        Fill,   SetPosition, SetRate, SetVolume};

bool StartSoundTick() {
    return true;
}

uint16_t FromBcd(uint16_t bcd) {
    return uint16_t((bcd >> 4) * 10 + (bcd & 0x0F));
}
uint16_t ToBcd(uint16_t value) {
    return uint16_t((value / 10) << 4 | value % 10);
}

bool Finish(const GameData& data, bool rotated, std::string& error) {
    if (!BuildBoard(data)) {
        error =
            std::string("game data image ") + FindBadImage(data)->name + " is missing or of the wrong size";
        return false;
    }
    ApplyDipSwitches({});
    if (rotated) DecodeTilesModeX();
    std::memset(bufferStatus, 0, sizeof bufferStatus);
    Sound = &RunnerSound;
    ResetMachine();
    return true;
}

std::vector<ImageFile> ImageFiles() {
    std::vector<ImageFile> files;
    for (const ImageSlot& slot : ImageSlots)
        files.push_back({slot.name, slot.size});
    return files;
}

bool BuildFromFiles(const std::vector<std::vector<uint8_t>>& files, bool rotated, std::string& error) {
    GameData data;
    for (size_t i = 0; i < std::size(ImageSlots); i++)
        data.*ImageSlots[i].member = {files[i].data(), files[i].size()};
    return Finish(data, rotated, error);
}

#ifdef BOARDRUN_ZARKOLT_DATA
bool BuildEmbedded(bool rotated, std::string& error) {
    return Finish(GameDataOf(ZarkoltData()), rotated, error);
}
#else
constexpr bool (*BuildEmbedded)(bool, std::string&) = nullptr;
#endif

const char* const Controls[] = {"up", "right", "down", "left", "b1", "b2"};

void RunOneFrame(const FrameInput& input, bool rotated) {
    InputState.input = uint8_t(input.held & 0x3F);
    uint16_t credits = FromBcd(InputState.credits);
    if (!InputState.testMode) credits = uint16_t(std::min<uint32_t>(99, credits + input.coins));
    for (uint32_t players = 1; players <= 2; players++)
        for (uint32_t press = 0; press < input.starts[players - 1]; press++)
            if (*Ram(0x8023) == 0 && credits >= players) credits = uint16_t(credits - players);
    InputState.credits = ToBcd(credits);

    samplesStarted.clear();
    FrameHooks hooks = {StartSoundTick, SoundTick, nullptr, nullptr,
                        rotated ? RenderFrameModeX : RenderFrame};
    RunFrame(hooks);
}

Picture PictureOf(bool rotated) {
    return {FrameBuffer + PictureTop * FrameWidth + PictureLeft, rotated ? PictureHeight : PictureWidth,
            rotated ? PictureWidth : PictureHeight, FrameWidth};
}

void Palette(uint8_t rgb[256][3]) {
    std::memset(rgb, 0, 256 * 3);
    for (int i = 0; i < 128; i++) {
        rgb[FirstGamePen + i][0] = GamePalette[i].red;
        rgb[FirstGamePen + i][1] = GamePalette[i].green;
        rgb[FirstGamePen + i][2] = GamePalette[i].blue;
    }
}

std::string VoiceLine() {
    std::string line;
    for (int voice = 0; voice < 3; voice++) {
        line += "v" + std::to_string(voice) + "=";
        if (bufferStatus[VoiceBuffer0 + voice] & StatusPlaying)
            line += "w" + std::to_string(WaveCache[voice]) + "," + std::to_string(FrequencyCache[voice]) +
                    "Hz,vol" + std::to_string(VolumeCache[voice]);
        else
            line += "off";
        line += ' ';
    }
    return line + "samples=" + (samplesStarted.empty() ? "-" : samplesStarted);
}

} // namespace

const BoardGlue ZarkoltGlue = {
    "zarkolt",   ImageFiles, BuildFromFiles, BuildEmbedded, Controls, int(std::size(Controls)),
    RunOneFrame, PictureOf,  Palette,        VoiceLine,
};

} // namespace boardrun
