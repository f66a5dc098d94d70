// The decisions of the control-settings pages.
#include "frame/control_pages.h"

#include <algorithm>

#include "frame/frame_lock.h"
#include "frame/help_context.h"
#include "frame/keys.h"
#include "frame/settings.h"

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

} // namespace

// Each joystick's buttons are checked on their own: one button may serve
// player 1 on joystick 0 and player 2 on joystick 1.
int CheckDuplicateKeys(const ControlAssignment& work) {
    const ControlLayout& controls = Game().controls;
    int second = controls.second.firstSlot ? controls.second.firstSlot : controls.slotCount;
    return HasDuplicate(work, 0, controls.keyboardSlotCount) ||
           HasDuplicate(work, controls.keyboardSlotCount, second - controls.keyboardSlotCount) ||
           HasDuplicate(work, second, controls.slotCount - second);
}

void KeyboardPageDefaults(ControlAssignment* work) {
    const ControlLayout& controls = Game().controls;
    std::copy_n(controls.defaults.begin(), controls.keyboardSlotCount, work->begin());
}

void JoystickPageDefaults(JoystickPageWork* work) {
    const ControlLayout& controls = Game().controls;
    std::copy(controls.defaults.begin() + controls.keyboardSlotCount,
              controls.defaults.begin() + controls.slotCount,
              work->controls.begin() + controls.keyboardSlotCount);
    work->use = 0;
    work->exchange = 0;
}

int ApplyKeyboardPage(const ControlAssignment& work) {
    if (CheckDuplicateKeys(work)) return 0;
    FrameMutexHold hold;
    std::copy_n(work.begin(), Game().controls.keyboardSlotCount, Settings.controls.begin());
    RebuildKeyTable(Settings.controls);
    SaveSettings();
    return 1;
}

int ApplyJoystickPage(const JoystickPageWork& work) {
    if (CheckDuplicateKeys(work.controls)) return 0;
    FrameMutexHold hold;
    const ControlLayout& controls = Game().controls;
    std::copy(work.controls.begin() + controls.keyboardSlotCount, work.controls.begin() + controls.slotCount,
              Settings.controls.begin() + controls.keyboardSlotCount);
    Settings.joystickUse = work.use;
    Settings.joyAxisExchange = work.exchange;
    RebuildKeyTable(Settings.controls);
    SaveSettings();
    return 1;
}

uint32_t KeyboardHelpContext(int controlId) {
    return HelpContextOf(Game().keyboardHelp, controlId);
}
uint32_t JoystickHelpContext(int controlId) {
    return HelpContextOf(Game().joystickHelp, controlId);
}

} // namespace frame
