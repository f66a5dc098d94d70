// The board face of the ZARKOLT board family (boards/board.h): the pieces
// both editions share, and FamilyFace, which puts them together with an
// edition's name and builders. ZARKOLT's face is zarkolt::Face
// (zarkolt_board.cpp), SUPER ZARKOLT's superzar::Face (boards/superzar/).
#pragma once

#include <array>
#include <iterator>
#include <span>
#include <string>

#include "boards/board.h"
#include "boards/zarkolt/game_data.h"
#include "boards/zarkolt/machine.h"
#include "boards/zarkolt/score_traps.h"
#include "boards/zarkolt/sound.h"

namespace zarkolt {

extern const boards::BoardFace Face;

// Builds an edition from its images: the board, the default switches and the
// edition's trap places; false with a message naming a bad image.
bool BuildEdition(const GameData& data, const Edition& edition, const ScoreTraps& traps, std::string& error);
// The screen saver's build of an edition: the edition's start values with
// `refresh` as the replies' refresh, no settings applied, no traps.
bool BuildAttract(const GameData& data, const Edition& edition, void (*refresh)(), std::string& error);

// The start rule: when the game's start lock (0x8023) is 0 and at least
// `needed` credits are there, takes as many as there are, at most `most`.
bool PressStart(uint32_t needed, uint32_t most);
// A coin: unless test mode is on, one credit more, at most 99.
void InsertCoin();

// The face's pieces, shared by both editions.
namespace face {
// The image list, from ImageSlots.
inline constexpr auto Images = [] {
    std::array<boards::ImageFile, std::size(ImageSlots)> files{};
    for (size_t i = 0; i < files.size(); i++)
        files[i] = {ImageSlots[i].name, ImageSlots[i].size};
    return files;
}();
void Reset();
void ApplySettings(std::span<const uint32_t> options);
void RunFrame(const boards::FrameHooks& hooks);
void SetFrameBuffer(uint8_t* pixels);
void SetTurned(bool turned);
void Render(bool turned);
boards::Picture PictureOf(bool turned);
void GamePalette(boards::Colour* pens);
void BuildCardPalette(const uint8_t* colourTable, size_t entries);
void CardPalette(boards::Colour* entries);
void ComposeFullScreen(uint8_t* surface, ptrdiff_t pitch, const uint8_t* card, ptrdiff_t cardPitch,
                       bool turned);
uint32_t ControlBits();
void SetControls(uint32_t bits);
bool BeforeKey();
bool TestMode();
void SetTestMode(bool on);
std::span<const boards::SoundBufferSpec> SoundBuffers();
void AttachSound(const boards::SoundSeam* seam);
void SetSoundMute(bool mute);
void Silence();
std::string VoiceLine(uint32_t started);
uint8_t Peek(uint32_t address);
extern const char* const Controls[6];
} // namespace face

// The face of an edition: the shared pieces with the edition's name, builders
// and whether it has a test mode.
constexpr boards::BoardFace FamilyFace(const char* name, bool (*buildEmbedded)(std::string&),
                                       bool (*buildFromImages)(std::span<const boards::ImageBytes>,
                                                               std::string&),
                                       bool testMode, bool (*buildAttract)(std::string&)) {
    return {
        .name = name,
        .images = face::Images,
        .buildEmbedded = buildEmbedded,
        .buildFromImages = buildFromImages,
        .reset = face::Reset,
        .applySettings = face::ApplySettings,
        .runFrame = face::RunFrame,
        .frameMilliseconds = 16,
        .soundTick = SoundTick,
        .soundTickMilliseconds = 8,
        .setFrameBuffer = face::SetFrameBuffer,
        .frameWidth = 512,
        .frameHeight = 512,
        .pictureLeft = 16,
        .pictureTop = 16,
        .pictureWidth = 224,
        .pictureHeight = 288,
        .canTurn = true,
        .smallScreen = false,
        .setTurned = face::SetTurned,
        .render = face::Render,
        .picture = face::PictureOf,
        .firstPen = 0x70,
        .penCount = 128,
        .gamePalette = face::GamePalette,
        .buildCardPalette = face::BuildCardPalette,
        .cardPalette = face::CardPalette,
        .composeFullScreen = face::ComposeFullScreen,
        .controls = face::Controls,
        .controlCount = 6,
        .controlBits = face::ControlBits,
        .setControls = face::SetControls,
        .insertCoin = InsertCoin,
        .pressStart = PressStart,
        .beforeKey = face::BeforeKey,
        .testMode = testMode ? face::TestMode : nullptr,
        .setTestMode = testMode ? face::SetTestMode : nullptr,
        .testModeResets = testMode,
        .soundBuffers = face::SoundBuffers,
        .attachSound = face::AttachSound,
        .setSoundMute = face::SetSoundMute,
        .silence = face::Silence,
        .scoreSize = ScoreTableSize,
        .scoresOut = ScoresOut,
        .scoresIn = ScoresIn,
        .defaultScores = DefaultScores,
        .installScoreTraps = InstallScoreTraps,
        .peek = face::Peek,
        .voiceLine = face::VoiceLine,
        .buildAttract = buildAttract,
    };
}

} // namespace zarkolt
