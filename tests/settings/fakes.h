// An in-memory registry and joystick behind the frame's seams, and a fixture
// that gives each test fresh settings, a fresh board RAM and a counted frame
// mutex.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "frame/joystick.h"
#include "frame/registry.h"

namespace settings_test {

struct FakeValue {
    uint32_t type;
    std::vector<uint8_t> data;
};

struct FakeRegistry {
    bool keyExists = false;
    bool failCreate = false;
    int openKeys = 0;
    std::string path; // of the last key opened
    std::map<std::string, FakeValue> values;
    std::vector<std::string> writes; // names, in the order written

    void Set(const std::string& name, uint32_t type, std::vector<uint8_t> data) {
        values[name] = {type, data};
    }
    void SetText(const std::string& name, const std::string& text) {
        Set(name, frame::RegTypeSz, std::vector<uint8_t>(text.begin(), text.end()));
    }
    std::string Text(const std::string& name) const {
        const std::vector<uint8_t>& d = values.at(name).data;
        return std::string(d.begin(), d.end());
    }
};

struct FakeJoystick {
    uint32_t devices = 1;
    bool rangeFails = false;
    bool positionFails = false;
    frame::JoystickRange range = {0, 65535, 0, 65535};
    frame::JoystickPosition position = {32767, 32767, 0};
    int queries = 0;
    // Positions of single joysticks by id (the others report `position`);
    // the ids below firstAnswering do not answer.
    std::map<uint32_t, frame::JoystickPosition> positions;
    uint32_t firstAnswering = 0;
    std::vector<uint32_t> asked; // ids whose position was asked, in order
};

extern FakeRegistry* Reg;
extern FakeJoystick* Joy;
extern int MutexDepth;   // frame mutex holds now
extern int MutexEntries; // how often it was taken

// The bytes with their last one made the check byte of the others.
std::vector<uint8_t> Sealed(std::vector<uint8_t> bytes);

// Installs the fakes and resets all the state the settings code keeps.
class SettingsTest : public ::testing::Test {
  protected:
    FakeRegistry registry;
    FakeJoystick joystick;
    void SetUp() override;
    void TearDown() override;
};

} // namespace settings_test
