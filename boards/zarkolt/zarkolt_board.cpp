// The ZARKOLT board behind the board face: the pieces both editions share
// (controls, credits, test mode, picture, palettes, full screen, sound,
// high scores) and ZARKOLT's own face with its embedded game data.
#include "boards/zarkolt/zarkolt_board.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "boards/zarkolt/blitters.h"
#include "boards/zarkolt/embedded_data.h"
#include "boards/zarkolt/frame.h"
#include "boards/zarkolt/graphics.h"
#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/renderer.h"

namespace zarkolt {

namespace {

constexpr uint32_t CreditValue(uint16_t bcd) {
    return (bcd >> 4 & 0x0F) * 10 + (bcd & 0x0F);
}
constexpr uint16_t CreditBcd(uint32_t value) {
    return uint16_t(value / 10 * 16 + value % 10);
}

boards::Colour ColourOf(const PaletteEntry& entry) {
    return {entry.red, entry.green, entry.blue, entry.flags};
}

bool BuildZarkolt(std::string& error) {
    static GameData data;
    data = GameDataOf(ZarkoltData());
    return BuildEdition(data, ZarkoltEdition, ZarkoltTraps, error);
}

bool BuildZarkoltFromImages(std::span<const boards::ImageBytes> images, std::string& error) {
    static GameData data;
    data = GameDataOf(images);
    return BuildEdition(data, ZarkoltEdition, ZarkoltTraps, error);
}

bool BuildZarkoltAttract(std::string& error) {
    static GameData data;
    data = GameDataOf(ZarkoltData());
    return BuildAttract(data, ZarkoltEdition, UpdateIoChipAttract, error);
}

} // namespace

bool BuildEdition(const GameData& data, const Edition& edition, const ScoreTraps& traps, std::string& error) {
    if (!BuildBoard(data, edition)) {
        error = boards::BadImageMessage(data, ImageSlots);
        return false;
    }
    CurrentTraps = traps;
    ApplyDipSwitches({});
    return true;
}

bool BuildAttract(const GameData& data, const Edition& edition, void (*refresh)(), std::string& error) {
    static Edition attract;
    attract = edition;
    attract.updateIoChipInputs = refresh;
    if (!BuildBoard(data, attract)) {
        error = boards::BadImageMessage(data, ImageSlots);
        return false;
    }
    return true;
}

bool PressStart(uint32_t needed, uint32_t most) {
    uint32_t value = CreditValue(InputState.credits);
    if (*Ram(0x8023) != 0 || value < needed) return false;
    InputState.credits = CreditBcd(value - std::min(value, most));
    return true;
}

void InsertCoin() {
    if (InputState.testMode) return;
    uint32_t value = CreditValue(InputState.credits);
    if (value < 99) InputState.credits = CreditBcd(value + 1);
}

namespace face {

const char* const Controls[6] = {"up", "right", "down", "left", "b1", "b2"};

void Reset() {
    ResetMachine();
}

void ApplySettings(std::span<const uint32_t> options) {
    DipSettings settings;
    if (options.size() >= 3) settings = {options[0], options[1], options[2]};
    ApplyDipSwitches(settings);
}

void RunFrame(const boards::FrameHooks& hooks) {
    zarkolt::RunFrame(hooks);
}

void SetFrameBuffer(uint8_t* pixels) {
    FrameBuffer = pixels;
}

void SetTurned(bool turned) {
    if (turned)
        DecodeTilesModeX();
    else
        DecodeTilesWindow();
}

void Render(bool turned) {
    if (turned)
        RenderFrameModeX();
    else
        RenderFrame();
}

boards::Picture PictureOf(bool turned) {
    return boards::PortraitPicture(FrameBuffer, turned);
}

void GamePalette(boards::Colour* pens) {
    for (int i = 0; i < 128; i++)
        pens[i] = ColourOf(zarkolt::GamePalette[i]);
}

void BuildCardPalette(const uint8_t* colourTable, size_t entries) {
    zarkolt::BuildCardPalette(colourTable, entries);
}

void CardPalette(boards::Colour* entries) {
    for (int i = 0; i < 256; i++)
        entries[i] = ColourOf(zarkolt::CardPalette[i]);
}

void ComposeFullScreen(uint8_t* surface, ptrdiff_t pitch, const uint8_t* card, ptrdiff_t cardPitch,
                       bool turned) {
    boards::ComposeFullScreen(FrameBuffer, surface, pitch, card, cardPitch, turned);
}

uint32_t ControlBits() {
    return InputState.input;
}

void SetControls(uint32_t bits) {
    InputState.input = uint8_t(bits & 0x3F);
}

bool BeforeKey() {
    if (InputState.testMode) IoReplyPage[1] = 0xFF;
    return true;
}

bool TestMode() {
    return InputState.testMode != 0;
}

void SetTestMode(bool on) {
    if (on) IoReplyPage[0] |= 0x80;
    InputState.testMode = on;
}

std::span<const boards::SoundBufferSpec> SoundBuffers() {
    static boards::SoundBufferSpec specs[SoundBufferCount];
    for (int voice = 0; voice < 3; voice++)
        specs[VoiceBuffer0 + voice] = {sizeof WaveTable[0], 22050, false, nullptr};
    for (int sample = 0; sample < 3; sample++)
        specs[SampleBuffer0 + sample] = {Samples[sample].size, SampleRate, false, Samples[sample].data};
    specs[PrimaryBuffer] = {0, 22050, true, nullptr};
    return specs;
}

void AttachSound(const boards::SoundSeam* seam) {
    if (seam) {
        for (int sample = 0; sample < 3; sample++)
            seam->setRate(SampleBuffer0 + sample, SampleRate);
        ResetSoundState();
    }
    Sound = seam;
}

void SetSoundMute(bool mute) {
    SoundMute = mute;
}

void Silence() {
    if (Sound) SoundMuteAll();
}

std::string VoiceLine(uint32_t started) {
    std::string line;
    for (int voice = 0; voice < 3; voice++) {
        line += "v" + std::to_string(voice) + "=" +
                boards::VoiceText(Sound, VoiceBuffer0 + voice, {FrequencyCache, VolumeCache, WaveCache}) +
                ' ';
    }
    std::string samples;
    for (int sample = 0; sample < 3; sample++)
        if (started >> (SampleBuffer0 + sample) & 1)
            samples += (samples.empty() ? "" : ",") + std::to_string(sample);
    return line + "samples=" + (samples.empty() ? "-" : samples);
}

uint8_t Peek(uint32_t address) {
    return Z80ReadByte(&Cpus[Cpu1], uint16_t(address));
}

} // namespace face

const boards::BoardFace Face =
    FamilyFace("zarkolt", BuildZarkolt, BuildZarkoltFromImages, true, BuildZarkoltAttract);

} // namespace zarkolt
