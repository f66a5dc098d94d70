// The game description: everything the game program frame needs to know
// about one game program, handed to FrameMain by the program's WinMain. The
// frame knows no board and no program beyond this; the board itself is
// reached through its face (boards/board.h).
//
// A new game program supplies: its identity (title, window class and icon,
// test-mode caption), its menu command ids, the board face, the control
// slots over the shared key-name table with what each slot does, the
// fixed keys, the "Configuration" options with their ranges and defaults,
// the help contexts of its pages, its game-settings dialog and where its
// instruction card goes.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "boards/board.h"
#include "frame/help_context.h"
#include "frame/layout.h"

namespace frame {

inline constexpr int MaxOptions = 8;       // game options in "Configuration"
inline constexpr int MaxControlSlots = 16; // control slots in "Configuration"

using ControlAssignment = std::array<uint32_t, MaxControlSlots>;

// The menu command ids; 0 where the program has no such command.
struct CommandIds {
    int testMode, about, reset, exit, sound, gameSettings, fullScreen, controlSettings, helpContents,
        helpOnHelp;
};

// What a control slot does: a keyboard slot holds a key-name row and drives
// an input bit of the board (a press also clears `opposite`); a joystick slot
// holds a button number and drives an input bit, a coin or a start.
enum class SlotAction : uint8_t { Input, Coin, Start };

struct ControlSlot {
    SlotAction action;
    uint32_t bit;      // the board's input bit (Input)
    uint32_t opposite; // bits a fresh press clears (Input, keyboard only)
};

// The joystick's four directions as input bits of the board.
struct StickBits {
    uint32_t up, down, left, right;
};

// A key with a fixed function (not in the assignment). Service: the board's
// service switch (ControlLayout::serviceBit) follows the key while test mode
// is on; outside test mode the key does nothing. Input: the board's input
// bit `bit` is held while the key is down (a coin or start the game reads as
// a plain level; no credit is counted on the host side).
enum class FixedAction : uint8_t { Coin, Start1, Start2, Service, Input };
struct FixedKey {
    uint32_t virtualKey;
    FixedAction action;
    uint32_t bit = 0; // Input only
};

// A second joystick for player 2: the joystick slots from firstSlot on are
// its buttons (the ones before, joystick 0's), its stick drives `stick`.
// Without diagonals the vertical direction replaces the horizontal one.
// firstSlot 0: the game has one joystick.
struct SecondJoystick {
    int firstSlot;
    StickBits stick;
    bool diagonals;
};

struct ControlLayout {
    int slotCount;         // control slots
    int keyboardSlotCount; // slots 0 to this - 1 hold key rows, the rest button numbers
    ControlAssignment defaults;
    std::array<ControlSlot, MaxControlSlots> slots;
    StickBits stick;
    std::array<FixedKey, 4> fixedKeys;
    int fixedKeyCount;
    // The drop-down list of each slot on its control page (frame/dialog_ids.h).
    std::array<int, MaxControlSlots> listIds;
    // Slots 0 to this - 1 are stored in "Configuration"; the others hold
    // their defaults at every start. 0: all slotCount slots are stored.
    int storedSlotCount;
    uint32_t serviceBit; // the board's input bit of FixedAction::Service
    SecondJoystick second = {};
};

// "Configuration": the options' bytes, then the low byte of each stored
// control slot, then the check byte.
struct ConfigurationLayout {
    int optionCount;
    std::array<uint32_t, MaxOptions> limits; // each option lies in 0..limit-1
    std::array<uint32_t, MaxOptions> defaults;
    // An option stored as a switch: a non-zero onByte is written for 1 and 0
    // for 0, and any non-zero byte reads as 1. 0: the index itself.
    std::array<uint8_t, MaxOptions> onByte;
    // The options' bytes of a good record are taken whatever their value
    // (the board's switches ignore a value out of range); else a value
    // outside 0..limit-1 refuses the record.
    bool optionsUnchecked = false;
};

// The game-settings dialog built by the frame (frame/game_setting.h): a
// drop-down list per option shown, taking a new choice on CBN_SELCHANGE or,
// where marked, on CBN_SELENDOK; check boxes for on/off options.
struct OptionList {
    int controlId;
    int option;
    int count;
    const char* const* texts; // count choices, in index order
    bool takenOnSelEndOk;
    // Where the texts depend on the options being edited: the texts for them
    // (the list is filled again when they change); null: texts.
    const char* const* (*textsOf)(const uint32_t* options);
};
struct OptionCheck {
    int controlId;
    int option;
};
struct GameSettingForm {
    std::array<OptionList, MaxOptions> lists;
    int listCount;
    std::array<OptionCheck, MaxOptions> checks;
    int checkCount;
    std::span<const HelpEntry> help; // context-help pop-ups of its controls
    int resetScoresId = 0;           // the high-score reset button; 0: IDC_RESET_SCORES
};

struct GameDescription {
    const char* title;       // caption, registry key ("Software\Velto\" + title), dialog captions
    const char* windowClass; // window class and icon resource name
    const char* testCaption; // caption in test mode; null: the game has no test mode
    CommandIds commands;
    const boards::BoardFace* board;
    ControlLayout controls;
    ConfigurationLayout configuration;
    // Context-help pop-ups of the control pages' controls.
    std::span<const HelpEntry> keyboardHelp;
    std::span<const HelpEntry> joystickHelp;
    // Runs the game-settings dialog modally over the window (an HWND); null:
    // the program has none. The frame's own dialog (ShowGameSettingForm,
    // frame/win32/program_win.h) shows gameSettingForm.
    void (*gameSettingsDialog)(void* owner);
    const GameSettingForm* gameSettingForm;
    // The instruction card of the 640 x 480 full screen.
    CardPlaces card;
    // No "JoyAxisExchange" flag: five flags are kept, not six.
    bool noAxisExchange = false;
};

// The game in force: set once by FrameMain (or a test) before anything else.
void UseGame(const GameDescription& game);
const GameDescription& Game();
const boards::BoardFace& Board();

} // namespace frame
