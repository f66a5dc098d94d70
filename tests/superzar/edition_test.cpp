// The SUPER ZARKOLT edition on the ZARKOLT board: its start values, replies
// that never take the test or idle form, and its high-score traps on its own
// game data as the game program patches them.
#include <cstring>
#include <numeric>
#include <vector>

#include "boards/superzar/superzar.h"
#include "boards/zarkolt/embedded_data.h"
#include "boards/zarkolt/score_traps.h"
#include "frame/highscore.h"
#include "frame/settings.h"
#include "tests/settings/fakes.h"
#include "tests/zarkolt/support.h"

namespace {

using namespace zarkolt;

// A board of the edition whose three CPUs wait in JR $ loops (at the start
// and at both interrupt entries), so that only the frame's own work runs.
class SuperBoard : public zarkolt_test::BoardTest {
  protected:
    void SetUp() override {
        for (Image GameData::*program :
             {&GameData::cpu1, &GameData::cpu2, &GameData::cpu3})
            for (size_t at : {0x00, 0x38, 0x66})
                zarkolt_test::Place(images[program], at, {0x18, 0xFE});
        Build(superzar::SuperZarkoltEdition);
        ApplyDipSwitches({});
        ResetMachine();
    }

    void Frame() { RunFrame(FrameHooks{}); }
};

TEST_F(SuperBoard, StartValuesBeforeTheFirstFrame) {
    EXPECT_EQ(CurrentEdition, &superzar::SuperZarkoltEdition);
    EXPECT_EQ(Read(Cpu1, 0x7000), 0x00);
    EXPECT_EQ(Read(Cpu1, 0x7001), 0xF8);
    EXPECT_EQ(Read(Cpu1, 0x7002), 0xF8);
    EXPECT_EQ(Read(Cpu1, 0x6807), 0x02);
    EXPECT_EQ(Read(Cpu2, 0x6807), 0x02);
    // The DIP switches never reach byte 7, whatever the settings.
    for (uint32_t lives = 0; lives < 4; lives++)
        for (uint32_t bonus = 0; bonus < 8; bonus++)
            for (uint32_t difficulty = 0; difficulty < 4; difficulty++) {
                ApplyDipSwitches({lives, bonus, difficulty});
                ASSERT_EQ(Read(Cpu1, 0x6807), 0x02) << lives << " " << bonus << " " << difficulty;
            }
}

TEST_F(SuperBoard, RepliesAlwaysTakeTheNormalForm) {
    struct Case {
        const char* what;
        uint8_t gameReady; // the game's byte 0x85AD (0: ZARKOLT's idle form)
        uint32_t testMode; // never set by this program; the refresh ignores it
        uint16_t credits;
        uint8_t previous, input;
        uint8_t reply0, reply1;
        bool button2Low; // bit 0 of switch byte 0 reads 0
    };
    const Case cases[] = {
        {"game not ready, no input", 0, 0, 0x00, 0, 0, 0x00, 0x38, false},
        {"game not ready, credits and up", 0, 0, 0x07, 0, InputUp, 0x07, 0x30, false},
        {"test switch, right and button 2", 1, 1, 0x42, 0, InputRight | InputButton2, 0x42, 0x32, true},
        {"test switch, game not ready", 0, 1, 0x99, 0, InputDown, 0x99, 0x34, false},
        {"first frame of button 1", 1, 0, 0x01, 0, InputLeft | InputButton1, 0x01, 0x06, false},
        {"button 1 held on", 0, 0, 0x01, InputButton1, InputButton1, 0x01, 0x18, false},
        {"opposite directions", 1, 0, 0x10, 0, InputUp | InputDown | InputLeft, 0x10, 0x38, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        *Ram(0x85AD) = c.gameReady;
        InputState = {c.input, c.previous, c.credits, c.testMode};
        Frame();
        EXPECT_EQ(Read(Cpu1, 0x7000), c.reply0);
        EXPECT_EQ(Read(Cpu1, 0x7001), c.reply1);
        EXPECT_EQ(Read(Cpu1, 0x7002), 0xF8);
        EXPECT_EQ((Read(Cpu1, 0x6800) & 1) == 0, c.button2Low);
        EXPECT_EQ(InputState.previousInput, c.input);
    }
    // Reply 2 keeps its start value however long the game runs.
    InputState = {};
    for (int frame = 0; frame < 60; frame++) {
        *Ram(0x85AD) = uint8_t(frame & 1);
        Frame();
        ASSERT_EQ(Read(Cpu1, 0x7002), 0xF8) << frame;
    }
}

// The edition's own images on the board, with the traps patched and the
// settings key opened as the game program does it.
class SuperStartUp : public settings_test::SettingsTest {
  protected:
    std::span<const ImageSpan> images = SuperZarkoltData();
    GameData data = GameDataOf(images);

    void SetUp() override {
        SettingsTest::SetUp();
        registry.keyExists = true;
        registry.Set("Score", frame::RegTypeBinary, SavedRecord());
        zarkolt::CurrentTraps = zarkolt::SuperZarkoltTraps;
        ASSERT_EQ(frame::CreateSettingsKey("SUPER ZARKOLT"), 1);
        ASSERT_TRUE(BuildBoard(data, superzar::SuperZarkoltEdition));
        frame::InstallHighScoreTraps();
        ApplyDipSwitches({});
        ResetMachine();
        registry.writes.clear();
    }

    void TearDown() override {
        frame::CloseSettingsKey();
        SettingsTest::TearDown();
    }

    // A good "Score" record: the table 0x50, 0x4F, ... and its check byte.
    static std::vector<uint8_t> SavedRecord() {
        std::vector<uint8_t> record(frame::ScoreRecordSize());
        for (size_t i = 0; i < zarkolt::ScoreTableSize; i++)
            record[i] = uint8_t(0x50 - i);
        record.back() = uint8_t(-std::accumulate(record.begin(), record.end() - 1, 0));
        return record;
    }

    static std::vector<uint8_t> RamTable() {
        std::vector<uint8_t> table(Ram(0x8024), Ram(0x8024) + 3);
        table.insert(table.end(), Ram(0x8510), Ram(0x8510) + 80);
        return table;
    }

    // Runs the one instruction at pc on CPU 1 alone.
    static void Step(uint16_t pc) {
        for (Z80Context& cpu : Cpus)
            cpu.running = 0;
        Cpus[Cpu1].running = 1;
        Cpus[Cpu1].PC = pc;
        Z80Run(CpuCount, Cpus, 1);
    }

    std::vector<uint8_t> RomAt(const uint8_t* rom, uint16_t at) { return {rom + at, rom + at + 3}; }
};

TEST_F(SuperStartUp, TrapsArePatchedAtTheEditionsPlaces) {
    EXPECT_EQ(registry.path, "Software\\Velto\\SUPER ZARKOLT");
    const uint8_t* image = images[0].data();
    EXPECT_EQ(RomAt(image, 0x04BF), (std::vector<uint8_t>{0xCD, 0x07, 0x11}));
    EXPECT_EQ(RomAt(image, 0x12A0), (std::vector<uint8_t>{0xC3, 0x69, 0x06}));
    EXPECT_EQ(RomAt(Cpu1Rom, 0x04BF), (std::vector<uint8_t>{0xFD, 0x00, 0xE8}));
    EXPECT_EQ(RomAt(Cpu1Rom, 0x12A0), (std::vector<uint8_t>{0xFD, 0x00, 0x35}));
    // Nothing else changed, ZARKOLT's places included, and the sum holds.
    int changed = 0;
    for (size_t i = 0; i < sizeof Cpu1Rom; i++)
        changed += Cpu1Rom[i] != image[i];
    EXPECT_EQ(changed, 6);
    EXPECT_EQ(RomAt(Cpu1Rom, 0x04A4), RomAt(image, 0x04A4));
    EXPECT_EQ(RomAt(Cpu1Rom, 0x126F), RomAt(image, 0x126F));
    EXPECT_EQ(uint8_t(std::accumulate(Cpu1Rom, Cpu1Rom + sizeof Cpu1Rom, 0)),
              uint8_t(std::accumulate(image, image + images[0].size(), 0)));
}

TEST_F(SuperStartUp, TheGameLoadsTheSavedTableThroughTheLoadTrap) {
    std::vector<uint8_t> saved = SavedRecord();
    saved.pop_back();
    int frames = 0;
    while (RamTable() != saved && frames < 60) {
        RunFrame(FrameHooks{});
        frames++;
    }
    EXPECT_LT(frames, 60) << "the game never reached the load trap";
    EXPECT_TRUE(registry.writes.empty()); // a good record is only read
}

TEST_F(SuperStartUp, TrapPcsAndNoActionAtZarkoltsPlaces) {
    std::memset(SharedRam, 0, sizeof SharedRam);
    Step(0x04BF);
    EXPECT_EQ(Cpus[Cpu1].PC, 0x04C2);
    std::vector<uint8_t> saved = SavedRecord();
    EXPECT_EQ(RamTable(), std::vector<uint8_t>(saved.begin(), saved.end() - 1));

    *Ram(0x8024) = 0x99;
    Step(0x12A0);
    EXPECT_EQ(Cpus[Cpu1].PC, 0x0669);
    EXPECT_EQ(registry.writes, std::vector<std::string>{"Score"});
    EXPECT_EQ(registry.values["Score"].data[0], 0x99);

    // The undefined opcode at ZARKOLT's places only skips its two bytes.
    registry.writes.clear();
    std::memset(SharedRam, 0x77, sizeof SharedRam);
    for (uint16_t at : {uint16_t(0x04A4), uint16_t(0x126F)}) {
        Cpu1Rom[at] = 0xFD;
        Cpu1Rom[at + 1] = 0x00;
        Step(at);
        EXPECT_EQ(Cpus[Cpu1].PC, at + 2);
    }
    EXPECT_TRUE(registry.writes.empty());
    EXPECT_EQ(*Ram(0x8024), 0x77);
    EXPECT_EQ(*Ram(0x8510), 0x77);
}

} // namespace
