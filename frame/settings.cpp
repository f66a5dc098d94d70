// The game program's settings: the "Configuration" record, the six flags and
// the settings key, all through the registry seam.
#include "frame/settings.h"

#include <algorithm>
#include <string>

#include "frame/control_pages.h"
#include "frame/frame_lock.h"
#include "frame/highscore.h"
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

std::string Title = "ZARKOLT";

// The flag fields in the order of FlagNames.
uint32_t* FlagField(GameSettings& settings, int index) {
    uint32_t* fields[6] = {&settings.soundMute,  &settings.joystickUse, &settings.joyAxisExchange,
                           &settings.fullScreen, &settings.modeX,       &settings.maximize};
    return fields[index];
}

} // namespace

const RegistrySeam NoRegistry = {NoKey, NoClose, NoQuery, NoSet};
RegistrySeam Registry = {NoKey, NoClose, NoQuery, NoSet};

ConfigurationRecord EncodeConfiguration(const GameSettings& settings) {
    ConfigurationRecord record{};
    record[0] = uint8_t(settings.lives);
    record[1] = uint8_t(settings.bonus);
    record[2] = uint8_t(settings.difficulty);
    for (int slot = 0; slot < ControlSlotCount; slot++)
        record[3 + slot] = uint8_t(settings.controls[slot]);
    SealRecord(record.data(), ConfigurationSize);
    return record;
}

bool DecodeConfiguration(const ConfigurationRecord& record, GameSettings* settings) {
    if (!RecordSumIsZero(record.data(), ConfigurationSize)) return false;
    if (record[0] > 3 || record[1] > 7 || record[2] > 3) return false;
    for (int slot = 0; slot < ControlSlotCount; slot++) {
        uint32_t limit = slot < KeyboardSlotCount ? KeyboardRowCount : ButtonCount;
        if (record[3 + slot] >= limit) return false;
    }
    ControlAssignment controls;
    for (int slot = 0; slot < ControlSlotCount; slot++)
        controls[slot] = record[3 + slot];
    if (CheckDuplicateKeys(controls)) return false;
    settings->lives = record[0];
    settings->bonus = record[1];
    settings->difficulty = record[2];
    settings->controls = controls;
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
    ConfigurationRecord record;
    if (ReadBinaryValue("Configuration", record.data(), ConfigurationSize))
        DecodeConfiguration(record, &Settings);
    for (int i = 0; i < 6; i++)
        ReadFlag(FlagNames[i], FlagField(Settings, i));
}

void SaveSettings() {
    ConfigurationRecord record = EncodeConfiguration(Settings);
    WriteBinaryValue("Configuration", record.data(), ConfigurationSize);
    for (int i = 0; i < 6; i++)
        WriteFlag(FlagNames[i], *FlagField(Settings, i));
}

int CreateSettingsKey(const char* title) {
    Title = title;
    bool created = false;
    SettingsKey = Registry.createKey(("Software\\Velto\\" + Title).c_str(), &created);
    if (!SettingsKey) return 0;
    if (created) {
        SaveSettings();
        DefaultHighScores();
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
