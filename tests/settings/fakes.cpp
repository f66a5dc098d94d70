#include "tests/settings/fakes.h"

#include <algorithm>
#include <cstring>

#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/machine.h"
#include "boards/zarkolt/score_traps.h"
#include "frame/frame_lock.h"
#include "frame/highscore.h"
#include "frame/record.h"
#include "frame/settings.h"
#include "tests/common/zarkolt_game.h"

namespace settings_test {

FakeRegistry* Reg;
FakeJoystick* Joy;
int MutexDepth;
int MutexEntries;

namespace {

constexpr frame::RegKey TheKey = 0x5EED;

frame::RegKey CreateKey(const char* path, bool* created) {
    Reg->path = path;
    if (Reg->failCreate) return 0;
    *created = !Reg->keyExists;
    Reg->keyExists = true;
    Reg->openKeys++;
    return TheKey;
}

void CloseKey(frame::RegKey key) {
    EXPECT_EQ(key, TheKey);
    Reg->openKeys--;
}

bool Query(frame::RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) {
    EXPECT_EQ(key, TheKey);
    auto it = Reg->values.find(name);
    if (it == Reg->values.end()) return false;
    const std::vector<uint8_t>& bytes = it->second.data;
    if (bytes.size() > *size) {
        *size = uint32_t(bytes.size());
        return false; // the value does not fit
    }
    std::copy(bytes.begin(), bytes.end(), data);
    *size = uint32_t(bytes.size());
    *type = it->second.type;
    return true;
}

bool SetValue(frame::RegKey key, const char* name, uint32_t type, const uint8_t* data, uint32_t size) {
    EXPECT_EQ(key, TheKey);
    Reg->values[name] = {type, std::vector<uint8_t>(data, data + size)};
    Reg->writes.push_back(name);
    return true;
}

uint32_t Devices() {
    return Joy->devices;
}

bool Range(uint32_t id, frame::JoystickRange* range) {
    if (Joy->rangeFails || id >= Joy->devices || id < Joy->firstAnswering) return false;
    *range = Joy->range;
    return true;
}

bool Position(uint32_t id, frame::JoystickPosition* position) {
    Joy->queries++;
    Joy->asked.push_back(id);
    if (Joy->positionFails || id >= Joy->devices || id < Joy->firstAnswering) return false;
    auto own = Joy->positions.find(id);
    *position = own != Joy->positions.end() ? own->second : Joy->position;
    return true;
}

void Acquire() {
    MutexDepth++;
    MutexEntries++;
}
void Release() {
    MutexDepth--;
}

} // namespace

std::vector<uint8_t> Sealed(std::vector<uint8_t> bytes) {
    frame::SealRecord(bytes.data(), uint32_t(bytes.size()));
    return bytes;
}

void SettingsTest::SetUp() {
    test_games::UseZarkoltGame();
    Reg = &registry;
    Joy = &joystick;
    MutexDepth = 0;
    MutexEntries = 0;
    frame::Registry = {CreateKey, CloseKey, Query, SetValue};
    frame::Joystick = {Devices, Range, Position};
    frame::FrameLock = {Acquire, Release};
    frame::Settings = frame::DefaultSettings();
    frame::SettingsKey = 0;
    frame::JoystickModeXCapable = false;
    frame::ResetJoystickPoll();
    zarkolt::CurrentTraps = zarkolt::ZarkoltTraps;
    std::memset(zarkolt::SharedRam, 0, sizeof zarkolt::SharedRam);
    std::memset(zarkolt::Cpu1Rom, 0, sizeof zarkolt::Cpu1Rom);
    zarkolt::InputState = {};
    zarkolt::GameImages = {};
}

void SettingsTest::TearDown() {
    EXPECT_EQ(MutexDepth, 0) << "frame mutex left held";
    frame::Registry = frame::NoRegistry;
    frame::Joystick = frame::NoJoystick;
    frame::SettingsKey = 0;
}

} // namespace settings_test
