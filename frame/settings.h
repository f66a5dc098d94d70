// The game program's settings and their registry key.
//
// One key per game under the current user, "Software\Velto\" followed by the
// game's title, holds the binary record "Configuration" (lives, bonus and
// difficulty indices and the ten control slots, closed by a check byte), six
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

#include "frame/keys.h"

namespace frame {

struct GameSettings {
    uint32_t lives = 2;      // 0-3: "1", "2", "3", "5"
    uint32_t bonus = 0;      // 0-7: the bonus-score choices of the lives choice
    uint32_t difficulty = 1; // 0-3: "EASY", "NORMAL", "HARD", "VERY HARD"
    ControlAssignment controls = DefaultControlAssignment;
    uint32_t soundMute = 0;       // "SoundMute": 1 = sound off
    uint32_t joystickUse = 0;     // "JoystickUse": 1 = joystick 1 is polled each frame
    uint32_t joyAxisExchange = 0; // "JoyAxisExchange": axes exchanged in the upright full screen
    uint32_t fullScreen = 0;      // "FullScreen": 1 = full screen now
    uint32_t modeX = 0;           // "ModeX": full screen uses the upright 320 x 240 display
    uint32_t maximize = 0;        // "Maximize": the window is shown at zoom 2
};

// The settings in force; the frame reads and writes the fields directly.
extern GameSettings Settings;

// "Configuration": bytes 0-2 the three indices, 3-12 the low bytes of the
// control slots, 13 the check byte (all 14 bytes sum to 0 modulo 256).
inline constexpr uint32_t ConfigurationSize = 14;
using ConfigurationRecord = std::array<uint8_t, ConfigurationSize>;

ConfigurationRecord EncodeConfiguration(const GameSettings& settings);

// Takes the indices and control slots of a record into settings when its
// check byte is good, every value lies in its range and no key or button is
// assigned twice; otherwise leaves settings alone and returns false.
bool DecodeConfiguration(const ConfigurationRecord& record, GameSettings* settings);

// Reads "Configuration" and the six flags; a flag that cannot be read is
// rewritten as "0" and keeps its value.
void LoadSettings();

// Writes "Configuration" and the six flags.
void SaveSettings();

// Opens or creates the settings key of the game's title; a new key first gets
// the default settings (SaveSettings) and the default high-score table
// (DefaultHighScores, which needs SetHighScoreTraps before). Returns 1 when
// the key is open, 0 when not (handle 0). The title also starts the captions
// of the settings dialogs ("ZARKOLT: ...").
int CreateSettingsKey(const char* title);

// Closes the key under the frame mutex and sets its handle to 0, so that a
// high-score save that comes later does nothing.
void CloseSettingsKey();

// The title given to CreateSettingsKey ("ZARKOLT" before that).
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
