// The decisions of the control-settings pages.
#include "frame/control_pages.h"

#include <algorithm>

#include "frame/frame_lock.h"
#include "frame/help_context.h"
#include "frame/settings.h"
#include "programs/zarkolt/dialogs_ids.h"

namespace frame {

namespace {

// Whether two of the slots [first, first + count) hold the same value.
bool HasDuplicate(const ControlAssignment& work, int first, int count) {
    bool seen[64] = {};
    for (int slot = first; slot < first + count; slot++) {
        uint32_t value = work[slot];
        if (value >= 64) continue;
        if (seen[value]) return true;
        seen[value] = true;
    }
    return false;
}

constexpr HelpEntry KeyboardHelp[] = {
    {IDC_DEFAULTS, 0x1001A},  {IDC_KEY_UP, 0x1001B},  {IDC_KEY_DOWN, 0x1001B}, {IDC_KEY_LEFT, 0x1001B},
    {IDC_KEY_RIGHT, 0x1001B}, {IDC_BUTTON1, 0x1001B}, {IDC_BUTTON2, 0x1001B},
};

constexpr HelpEntry JoystickHelp[] = {
    {IDC_USE_JOYSTICK, 0x10016}, {IDC_CALIBRATE, 0x10015}, {IDC_EXCHANGE_AXES, 0x10017},
    {IDC_DEFAULTS, 0x10018},     {IDC_BUTTON1, 0x10019},   {IDC_BUTTON2, 0x10019},
    {IDC_COIN, 0x10019},         {IDC_START, 0x10019},
};

} // namespace

int CheckDuplicateKeys(const ControlAssignment& work) {
    return HasDuplicate(work, 0, KeyboardSlotCount) ||
           HasDuplicate(work, KeyboardSlotCount, ControlSlotCount - KeyboardSlotCount);
}

void KeyboardPageDefaults(ControlAssignment* work) {
    std::copy_n(DefaultControlAssignment.begin(), KeyboardSlotCount, work->begin());
}

void JoystickPageDefaults(JoystickPageWork* work) {
    std::copy(DefaultControlAssignment.begin() + KeyboardSlotCount, DefaultControlAssignment.end(),
              work->controls.begin() + KeyboardSlotCount);
    work->use = 0;
    work->exchange = 0;
}

int ApplyKeyboardPage(const ControlAssignment& work) {
    if (CheckDuplicateKeys(work)) return 0;
    FrameMutexHold hold;
    std::copy_n(work.begin(), KeyboardSlotCount, Settings.controls.begin());
    RebuildKeyTable(Settings.controls);
    SaveSettings();
    return 1;
}

int ApplyJoystickPage(const JoystickPageWork& work) {
    if (CheckDuplicateKeys(work.controls)) return 0;
    FrameMutexHold hold;
    std::copy(work.controls.begin() + KeyboardSlotCount, work.controls.end(),
              Settings.controls.begin() + KeyboardSlotCount);
    Settings.joystickUse = work.use;
    Settings.joyAxisExchange = work.exchange;
    RebuildKeyTable(Settings.controls);
    SaveSettings();
    return 1;
}

uint32_t KeyboardHelpContext(int controlId) {
    return HelpContextOf(KeyboardHelp, controlId);
}
uint32_t JoystickHelpContext(int controlId) {
    return HelpContextOf(JoystickHelp, controlId);
}

} // namespace frame
