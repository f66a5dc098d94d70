// The high-score traps on a board whose CPU 1 runs a small synthetic ROM.
#include <cstring>
#include <vector>

#include "boards/zarkolt/machine.h"
#include "boards/zarkolt/score_traps.h"
#include "frame/highscore.h"
#include "frame/settings.h"
#include "tests/settings/fakes.h"

namespace settings_test {
namespace {

using zarkolt::Cpus;

// A synthetic CPU 1 program with the two replaced instructions of an
// edition in place, and its built-in table 1, 2, ..., 83.
struct Rom {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(0x4000, 0);
    explicit Rom(const zarkolt::ScoreTraps& traps, std::initializer_list<uint8_t> load,
                 std::initializer_list<uint8_t> save) {
        std::memcpy(&bytes[traps.loadAddress], load.begin(), 3);
        std::memcpy(&bytes[traps.saveAddress], save.begin(), 3);
        for (int i = 0; i < 83; i++)
            bytes[traps.defaultTable + i] = uint8_t(i + 1);
    }
};

uint8_t Sum(const uint8_t* bytes, size_t size) {
    uint8_t sum = 0;
    for (size_t i = 0; i < size; i++)
        sum = uint8_t(sum + bytes[i]);
    return sum;
}

class HighScores : public SettingsTest {
  protected:
    std::vector<std::vector<uint8_t>> images;
    Rom rom{zarkolt::ZarkoltTraps, {0xCD, 0xD9, 0x10}, {0xC3, 0x4E, 0x06}};

    // Builds the board around the ROM, patches the traps and opens a key.
    void Build(const zarkolt::ScoreTraps& traps, bool keyExists = true) {
        zarkolt::GameData data;
        for (const zarkolt::ImageSlot& slot : zarkolt::ImageSlots) {
            images.emplace_back(slot.size, 0);
            data.*slot.member = {images.back().data(), slot.size};
        }
        data.cpu1 = {rom.bytes.data(), rom.bytes.size()};
        ASSERT_TRUE(zarkolt::BuildBoard(data));
        zarkolt::CurrentTraps = traps;
        frame::InstallHighScoreTraps();
        registry.keyExists = keyExists;
        ASSERT_EQ(frame::CreateSettingsKey("ZARKOLT"), 1);
        registry.writes.clear();
    }

    // Runs one instruction of the CPU at pc.
    void Step(int cpu, uint16_t pc) {
        for (Z80Context& c : Cpus)
            c.running = 0;
        Cpus[cpu].running = 1;
        Cpus[cpu].held = 0;
        Cpus[cpu].PC = pc;
        Z80Run(zarkolt::CpuCount, Cpus, 1);
    }

    std::vector<uint8_t> RamTable() {
        std::vector<uint8_t> table(zarkolt::Ram(0x8024), zarkolt::Ram(0x8024) + 3);
        table.insert(table.end(), zarkolt::Ram(0x8510), zarkolt::Ram(0x8510) + 80);
        return table;
    }

    static std::vector<uint8_t> BuiltIn() {
        std::vector<uint8_t> table;
        for (int i = 0; i < 83; i++)
            table.push_back(uint8_t(i + 1));
        return table;
    }

    static std::vector<uint8_t> Record(std::vector<uint8_t> table) {
        table.push_back(uint8_t(0x100 - Sum(table.data(), table.size())));
        return table;
    }
};

TEST_F(HighScores, PatchesKeepTheRomSumForBothEditions) {
    struct Case {
        zarkolt::ScoreTraps traps;
        std::vector<uint8_t> load, save, loadPatch, savePatch;
    };
    const Case cases[] = {
        {zarkolt::ZarkoltTraps,
         {0xCD, 0xD9, 0x10},
         {0xC3, 0x4E, 0x06},
         {0xFD, 0x00, 0xB9},
         {0xFD, 0x00, 0x1A}},
        {zarkolt::SuperZarkoltTraps,
         {0xCD, 0x07, 0x11},
         {0xC3, 0x69, 0x06},
         {0xFD, 0x00, 0xE8},
         {0xFD, 0x00, 0x35}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.traps.loadAddress);
        std::vector<uint8_t> image(0x4000);
        for (size_t i = 0; i < image.size(); i++)
            image[i] = uint8_t(i * 7);
        std::memcpy(&image[c.traps.loadAddress], c.load.data(), 3);
        std::memcpy(&image[c.traps.saveAddress], c.save.data(), 3);
        uint8_t before = Sum(image.data(), image.size());
        zarkolt::CurrentTraps = c.traps;
        zarkolt::PatchScoreTraps(image.data());
        EXPECT_EQ(std::vector<uint8_t>(&image[c.traps.loadAddress], &image[c.traps.loadAddress] + 3),
                  c.loadPatch);
        EXPECT_EQ(std::vector<uint8_t>(&image[c.traps.saveAddress], &image[c.traps.saveAddress] + 3),
                  c.savePatch);
        EXPECT_EQ(Sum(image.data(), image.size()), before);
    }
}

TEST_F(HighScores, FirstStartLoadsTheBuiltInTableAndStoresIt) {
    Build(zarkolt::ZarkoltTraps, false);
    // The new key already holds the built-in table.
    EXPECT_EQ(registry.values["Score"].data, Record(BuiltIn()));
    std::memset(zarkolt::SharedRam, 0, sizeof zarkolt::SharedRam);
    Step(zarkolt::Cpu1, 0x04A4);
    EXPECT_EQ(Cpus[zarkolt::Cpu1].PC, 0x04A7);
    EXPECT_EQ(RamTable(), BuiltIn());
    EXPECT_EQ(registry.values["Score"].data, Record(BuiltIn()));
    EXPECT_EQ(registry.values["Score"].type, frame::RegTypeBinary);
}

TEST_F(HighScores, LoadTakesAGoodRecordWithoutWriting) {
    Build(zarkolt::ZarkoltTraps);
    std::vector<uint8_t> table(83);
    for (int i = 0; i < 83; i++)
        table[i] = uint8_t(200 - i);
    registry.Set("Score", frame::RegTypeBinary, Record(table));
    Step(zarkolt::Cpu1, 0x04A4);
    EXPECT_EQ(Cpus[zarkolt::Cpu1].PC, 0x04A7);
    EXPECT_EQ(RamTable(), table);
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(HighScores, BadRecordsGiveTheBuiltInTableAndAreReplaced) {
    Build(zarkolt::ZarkoltTraps);
    std::vector<uint8_t> table(83, 0x42);
    std::vector<uint8_t> badSum = Record(table);
    badSum[83]++;
    std::vector<uint8_t> longer = Record(table);
    longer.push_back(0);
    std::vector<uint8_t> shorter(table.begin(), table.end() - 1);
    shorter = Record(shorter);
    struct Case {
        const char* what;
        bool present;
        uint32_t type;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"missing", false, 0, {}},
        {"check byte off", true, frame::RegTypeBinary, badSum},
        {"one byte longer", true, frame::RegTypeBinary, longer},
        {"one byte shorter", true, frame::RegTypeBinary, shorter},
        {"stored as text", true, frame::RegTypeSz, Record(table)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        registry.values.erase("Score");
        if (c.present) registry.Set("Score", c.type, c.bytes);
        std::memset(zarkolt::SharedRam, 0x99, sizeof zarkolt::SharedRam);
        Step(zarkolt::Cpu1, 0x04A4);
        EXPECT_EQ(Cpus[zarkolt::Cpu1].PC, 0x04A7);
        EXPECT_EQ(RamTable(), BuiltIn()); // nothing of the bad record reached the RAM
        EXPECT_EQ(registry.values["Score"].data, Record(BuiltIn()));
        EXPECT_EQ(registry.values["Score"].type, frame::RegTypeBinary);
    }
}

TEST_F(HighScores, SaveTrapStoresTheRamTableAndJumps) {
    Build(zarkolt::ZarkoltTraps);
    for (int i = 0; i < 3; i++)
        *zarkolt::Ram(uint16_t(0x8024 + i)) = uint8_t(0x10 + i);
    for (int i = 0; i < 80; i++)
        *zarkolt::Ram(uint16_t(0x8510 + i)) = uint8_t(0x80 + i);
    *zarkolt::Ram(0x8023) = 0x55; // the bytes around the table are not stored
    *zarkolt::Ram(0x8560) = 0x55;
    Step(zarkolt::Cpu1, 0x126F);
    EXPECT_EQ(Cpus[zarkolt::Cpu1].PC, 0x064E);
    const std::vector<uint8_t>& score = registry.values["Score"].data;
    ASSERT_EQ(score.size(), 84u);
    EXPECT_EQ(std::vector<uint8_t>(score.begin(), score.begin() + 83), RamTable());
    EXPECT_EQ(Sum(score.data(), 84), 0);
    EXPECT_EQ(score[0], 0x10);
    EXPECT_EQ(score[3], 0x80);
}

TEST_F(HighScores, OtherCpusAndAddressesOnlySkipTheOpcode) {
    Build(zarkolt::ZarkoltTraps);
    std::memset(zarkolt::SharedRam, 0x77, sizeof zarkolt::SharedRam);
    // CPU 2 and CPU 3 at a copy of the trap bytes at the same addresses.
    for (int cpu : {zarkolt::Cpu2, zarkolt::Cpu3}) {
        uint8_t* rom = cpu == zarkolt::Cpu2 ? zarkolt::Cpu2Rom : zarkolt::Cpu3Rom;
        for (uint16_t at : {uint16_t(0x04A4), uint16_t(0x0100)}) {
            rom[at] = 0xFD;
            rom[at + 1] = 0x00;
            Step(cpu, at);
            EXPECT_EQ(Cpus[cpu].PC, at + 2) << cpu;
        }
    }
    // CPU 1 at another address.
    zarkolt::Cpu1Rom[0x0200] = 0xFD;
    zarkolt::Cpu1Rom[0x0201] = 0x00;
    Step(zarkolt::Cpu1, 0x0200);
    EXPECT_EQ(Cpus[zarkolt::Cpu1].PC, 0x0202);
    EXPECT_TRUE(registry.writes.empty());
    EXPECT_EQ(*zarkolt::Ram(0x8024), 0x77);
}

TEST_F(HighScores, TheEditionsTrapsAreItsOwn) {
    rom = Rom(zarkolt::SuperZarkoltTraps, {0xCD, 0x07, 0x11}, {0xC3, 0x69, 0x06});
    Build(zarkolt::SuperZarkoltTraps);
    registry.values.erase("Score");
    Step(zarkolt::Cpu1, 0x04BF);
    EXPECT_EQ(Cpus[zarkolt::Cpu1].PC, 0x04C2);
    EXPECT_EQ(RamTable(), BuiltIn()); // read from 0x111E
    registry.writes.clear();
    Step(zarkolt::Cpu1, 0x12A0);
    EXPECT_EQ(Cpus[zarkolt::Cpu1].PC, 0x0669);
    EXPECT_EQ(registry.writes, std::vector<std::string>{"Score"});
    // ZARKOLT's addresses are nothing special here.
    registry.writes.clear();
    zarkolt::ScoreTrapHook(&Cpus[zarkolt::Cpu1], 0x04A4, 2);
    zarkolt::ScoreTrapHook(&Cpus[zarkolt::Cpu1], 0x126F, 2);
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(HighScores, SaveAfterTheKeyClosedDoesNothing) {
    Build(zarkolt::ZarkoltTraps);
    frame::CloseSettingsKey();
    Step(zarkolt::Cpu1, 0x126F);
    EXPECT_EQ(Cpus[zarkolt::Cpu1].PC, 0x064E);
    EXPECT_TRUE(registry.writes.empty());
    // The load without a key still gives the built-in table.
    std::memset(zarkolt::SharedRam, 0, sizeof zarkolt::SharedRam);
    Step(zarkolt::Cpu1, 0x04A4);
    EXPECT_EQ(RamTable(), BuiltIn());
}

TEST_F(HighScores, DefaultsComeFromTheUnpatchedImage) {
    // Start-up builds the board, patches the traps, then opens the key: the
    // built-in table comes from the edition's image.
    Build(zarkolt::ZarkoltTraps, false);
    EXPECT_EQ(registry.values["Score"].data, Record(BuiltIn()));
    frame::CloseSettingsKey();
}

} // namespace
} // namespace settings_test
