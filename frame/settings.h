// The game program's settings and their registry key.
//
// One key per game under the current user, "Software\Velto\" followed by the
// game's title, holds the binary record "Configuration" (the game's option
// indices and its control slots, closed by a check byte; frame/game.h), six
// on/off flags as one-character strings, and the high-score record "Score"
// (frame/highscore.h). Driving it:
//   CreateSettingsKey(title)   at start-up; a new key gets the defaults
//   LoadSettings()             then always
//   SaveSettings()             at every machine reset, on close, on OK/Apply
//   CloseSettingsKey()         on close (takes the frame mutex)
// A key that could not be opened leaves handle 0: every later call fails
// quietly and the defaults stay in force.
//
// All registry traffic goes through the four calls of frame/registry.h.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "frame/game.h"

namespace frame {

struct GameSettings {
    std::array<uint32_t, MaxOptions> options; // the game's options (dialog choice indices)
    ControlAssignment controls;
    uint32_t soundMute = 0;       // "SoundMute": 1 = sound off
    uint32_t joystickUse = 0;     // "JoystickUse": 1 = joystick 1 is polled each frame
    uint32_t joyAxisExchange = 0; // "JoyAxisExchange": axes exchanged in the upright full screen
    uint32_t fullScreen = 0;      // "FullScreen": 1 = full screen now
    uint32_t modeX = 0;           // "ModeX": full screen uses the upright 320 x 240 display
    uint32_t maximize = 0;        // "Maximize": the window is shown at zoom 2
};

// The settings in force; the frame reads and writes the fields directly.
extern GameSettings Settings;

// The game's defaults: its options and control assignment, every flag 0.
GameSettings DefaultSettings();

// "Configuration": the option indices, the low bytes of the control slots and
// the check byte (all bytes sum to 0 modulo 256); 14 bytes for ZARKOLT.
uint32_t ConfigurationSize();
using ConfigurationRecord = std::vector<uint8_t>;

ConfigurationRecord EncodeConfiguration(const GameSettings& settings);

// Takes the indices and control slots of a record into settings when it has
// the game's size, its check byte is good and every value lies in its range;
// otherwise leaves settings alone and returns false. A key or button given
// to two functions is kept: the later slot wins when the key table is built.
bool DecodeConfiguration(const ConfigurationRecord& record, GameSettings* settings);

// The option values as the board's switches take them.
std::span<const uint32_t> OptionsOf(const GameSettings& settings);

// Reads "Configuration" and the six flags (five where the game has no
// "JoyAxisExchange"); a flag that cannot be read is
// rewritten as "0" and keeps its value.
void LoadSettings();

// Writes "Configuration" and the six flags.
void SaveSettings();

// Opens or creates the settings key of the game's title; a new key first gets
// the default settings (SaveSettings) and the default high-score table
// (StoreDefaultHighScores: the board must be built). Returns 1 when
// the key is open, 0 when not (handle 0). The title also starts the captions
// of the settings dialogs ("ZARKOLT: ...").
int CreateSettingsKey(const char* title);

// Closes the key under the frame mutex and sets its handle to 0, so that a
// high-score save that comes later does nothing.
void CloseSettingsKey();

// The title given to CreateSettingsKey (empty before that).
const char* SettingsTitle();

// Writes "1" when value is non-zero, else "0" (REG_SZ, data size 1).
void WriteFlag(const char* name, uint32_t value);

// 1 when the value was read (flag := 1 unless its first character is "0");
// 0 when it is missing, empty or longer than one character and a zero: then
// "0" is written under the name and flag is left unchanged.
int ReadFlag(const char* name, uint32_t* flag);

// REG_BINARY write; the result is not looked at.
void WriteBinaryValue(const char* name, const void* data, uint32_t size);

// 1 when the value exists as REG_BINARY of exactly size bytes (copied into
// buffer), else 0.
int ReadBinaryValue(const char* name, void* buffer, uint32_t size);

// The flags in the order they are read and written.
inline constexpr const char* FlagNames[6] = {"SoundMute",  "JoystickUse", "JoyAxisExchange",
                                             "FullScreen", "ModeX",       "Maximize"};

} // namespace frame
