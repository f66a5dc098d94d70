// The game program's settings: the "Configuration" record, the six flags and
// the settings key, all through the registry seam.
#include "frame/settings.h"

#include <algorithm>
#include <string>

#include "frame/frame_lock.h"
#include "frame/highscore.h"
#include "frame/keys.h"
#include "frame/record.h"
#include "frame/registry.h"

namespace frame {

GameSettings Settings;
RegKey SettingsKey = 0;

namespace {

RegKey NoKey(const char*, bool*) {
    return 0;
}
void NoClose(RegKey) {}
bool NoQuery(RegKey, const char*, uint32_t*, uint8_t*, uint32_t*) {
    return false;
}
bool NoSet(RegKey, const char*, uint32_t, const uint8_t*, uint32_t) {
    return false;
}

std::string Title;

// The flag fields in the order of FlagNames.
uint32_t* FlagField(GameSettings& settings, int index) {
    uint32_t* fields[6] = {&settings.soundMute,  &settings.joystickUse, &settings.joyAxisExchange,
                           &settings.fullScreen, &settings.modeX,       &settings.maximize};
    return fields[index];
}

// Whether the game keeps the flag of FlagNames[index].
bool KeepsFlag(int index) {
    return !(Game().noAxisExchange && index == 2);
}

} // namespace

const RegistrySeam NoRegistry = {NoKey, NoClose, NoQuery, NoSet};
RegistrySeam Registry = {NoKey, NoClose, NoQuery, NoSet};

GameSettings DefaultSettings() {
    GameSettings settings{};
    settings.options = Game().configuration.defaults;
    settings.controls = Game().controls.defaults;
    return settings;
}

namespace {

int StoredSlotCount() {
    const ControlLayout& controls = Game().controls;
    return controls.storedSlotCount ? controls.storedSlotCount : controls.slotCount;
}

} // namespace

uint32_t ConfigurationSize() {
    return uint32_t(Game().configuration.optionCount + StoredSlotCount() + 1);
}

std::span<const uint32_t> OptionsOf(const GameSettings& settings) {
    return {settings.options.data(), size_t(Game().configuration.optionCount)};
}

ConfigurationRecord EncodeConfiguration(const GameSettings& settings) {
    const ConfigurationLayout& layout = Game().configuration;
    const int options = layout.optionCount;
    ConfigurationRecord record(ConfigurationSize(), 0);
    for (int i = 0; i < options; i++) {
        uint8_t on = layout.onByte[size_t(i)];
        uint32_t value = settings.options[size_t(i)];
        record[size_t(i)] = on ? (value ? on : 0) : uint8_t(value);
    }
    for (int slot = 0; slot < StoredSlotCount(); slot++)
        record[size_t(options + slot)] = uint8_t(settings.controls[size_t(slot)]);
    SealRecord(record.data(), ConfigurationSize());
    return record;
}

bool DecodeConfiguration(const ConfigurationRecord& record, GameSettings* settings) {
    const ConfigurationLayout& layout = Game().configuration;
    const ControlLayout& controls = Game().controls;
    if (record.size() != ConfigurationSize() || !RecordSumIsZero(record.data(), ConfigurationSize()))
        return false;
    for (int i = 0; i < layout.optionCount && !layout.optionsUnchecked; i++)
        if (!layout.onByte[size_t(i)] && record[size_t(i)] >= layout.limits[size_t(i)]) return false;
    for (int slot = 0; slot < StoredSlotCount(); slot++) {
        uint32_t limit = slot < controls.keyboardSlotCount ? KeyboardRowCount : ButtonCount;
        if (record[size_t(layout.optionCount + slot)] >= limit) return false;
    }
    for (int i = 0; i < layout.optionCount; i++)
        settings->options[size_t(i)] = layout.onByte[size_t(i)] ? record[size_t(i)] != 0 : record[size_t(i)];
    for (int slot = 0; slot < StoredSlotCount(); slot++)
        settings->controls[size_t(slot)] = record[size_t(layout.optionCount + slot)];
    return true;
}

void WriteBinaryValue(const char* name, const void* data, uint32_t size) {
    if (!SettingsKey) return;
    Registry.setValue(SettingsKey, name, RegTypeBinary, static_cast<const uint8_t*>(data), size);
}

int ReadBinaryValue(const char* name, void* buffer, uint32_t size) {
    if (!SettingsKey) return 0;
    // One byte more than the record, so that a longer value is seen as such.
    std::basic_string<uint8_t> data(size + 1, 0);
    uint32_t type = 0, got = size + 1;
    if (!Registry.queryValue(SettingsKey, name, &type, data.data(), &got)) return 0;
    if (type != RegTypeBinary || got != size) return 0;
    std::copy_n(data.data(), size, static_cast<uint8_t*>(buffer));
    return 1;
}

void WriteFlag(const char* name, uint32_t value) {
    if (!SettingsKey) return;
    const uint8_t text = value ? '1' : '0';
    Registry.setValue(SettingsKey, name, RegTypeSz, &text, 1);
}

int ReadFlag(const char* name, uint32_t* flag) {
    uint8_t text[2] = {};
    uint32_t type = 0, size = sizeof text;
    if (!SettingsKey || !Registry.queryValue(SettingsKey, name, &type, text, &size) || size == 0) {
        WriteFlag(name, 0);
        return 0;
    }
    *flag = text[0] != '0';
    return 1;
}

void LoadSettings() {
    ConfigurationRecord record(ConfigurationSize());
    if (ReadBinaryValue("Configuration", record.data(), ConfigurationSize()))
        DecodeConfiguration(record, &Settings);
    for (int i = 0; i < 6; i++)
        if (KeepsFlag(i)) ReadFlag(FlagNames[i], FlagField(Settings, i));
}

void SaveSettings() {
    ConfigurationRecord record = EncodeConfiguration(Settings);
    WriteBinaryValue("Configuration", record.data(), ConfigurationSize());
    for (int i = 0; i < 6; i++)
        if (KeepsFlag(i)) WriteFlag(FlagNames[i], *FlagField(Settings, i));
}

int CreateSettingsKey(const char* title) {
    Title = title;
    bool created = false;
    SettingsKey = Registry.createKey(("Software\\Velto\\" + Title).c_str(), &created);
    if (!SettingsKey) return 0;
    if (created) {
        SaveSettings();
        StoreDefaultHighScores();
    }
    return 1;
}

void CloseSettingsKey() {
    FrameMutexHold hold;
    if (!SettingsKey) return;
    Registry.closeKey(SettingsKey);
    SettingsKey = 0;
}

const char* SettingsTitle() {
    return Title.c_str();
}

} // namespace frame
