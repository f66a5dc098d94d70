// KLUNO through its board face: build, settings, controls, coin and start
// levels and pulses, test switch, voices, high-score traps and the score table.
#include <filesystem>
#include <fstream>

#include "boards/kluno/kluno_board.h"
#include "boards/kluno/score_traps.h"
#include "tests/kluno/support.h"
#include "tools/boardrun/boardrun.h"

namespace kluno_test {
namespace {

using namespace kluno;

std::vector<uint8_t> Chip1Bytes0And3; // bit 0 of chip 1 byte 0, bits 2-3 of byte 3, per frame
void NoteInputs() {
    Chip1Bytes0And3.push_back(uint8_t((IoChipRegs[0] & 1) | (IoChipRegs[3] & 0x0C)));
}

class KlunoFace : public BoardTest {
  protected:
    void BuildThroughFace() {
        std::vector<boards::ImageBytes> spans(images.bytes.begin(), images.bytes.end());
        std::string error;
        ASSERT_TRUE(Face.buildFromImages(spans, error)) << error;
    }
};

TEST_F(KlunoFace, BuildsFromImagesInManifestOrder) {
    EXPECT_EQ(boards::FindBoard("kluno"), &Face);
    ASSERT_EQ(Face.images.size(), std::size(ImageSlots));
    EXPECT_STREQ(Face.images[4].name, "kluno_cpu1.rom");
    images[&GameData::cpu2Program].push_back(0);
    std::vector<boards::ImageBytes> spans(images.bytes.begin(), images.bytes.end());
    std::string error;
    EXPECT_FALSE(Face.buildFromImages(spans, error));
    EXPECT_EQ(error, "game data image kluno_cpu2.rom is missing or of the wrong size");
}

TEST_F(KlunoFace, SettingsControlsAndTestSwitch) {
    const uint32_t settings[] = {1, 2, 1, 0};
    Face.applySettings(std::span<const uint32_t>(settings));
    EXPECT_EQ(IoChipInputs[1][2], 0x08);
    EXPECT_EQ(IoChipInputs[1][4], 0x0D);
    const std::pair<uint32_t, uint8_t> controls[] = {{1, 0x01}, {2, 0x04}, {4, 0x08}, {8, 0x02}, {15, 0x0F}};
    for (auto [bits, byte1] : controls) {
        Face.setControls(bits);
        EXPECT_EQ(IoChipInputs[0][1], byte1);
        EXPECT_EQ(Face.controlBits(), bits);
    }
    Face.setControls(16);
    EXPECT_EQ(IoChipInputs[0][3], 0x01);
    EXPECT_EQ(Face.controlBits(), 16u);
    Face.setControls(ControlCoin | ControlStart2);
    EXPECT_EQ(IoChipInputs[0][0], 0x01);
    EXPECT_EQ(IoChipInputs[0][3], 0x08);
    EXPECT_EQ(Face.controlBits(), ControlCoin | ControlStart2);
    Face.setControls(ControlStart1);
    EXPECT_EQ(IoChipInputs[0][0], 0x00);
    EXPECT_EQ(IoChipInputs[0][3], 0x04);
    Face.setTestMode(true);
    EXPECT_TRUE(Face.testMode());
    EXPECT_EQ(IoChipInputs[1][6], 0x08);
    Face.setTestMode(false);
    EXPECT_EQ(IoChipInputs[1][6], 0x00);
}

TEST_F(KlunoFace, CoinsAndStartsPulseForTwoFramesOrStayWhileHeld) {
    BuildThroughFace();
    Face.reset();
    Chip1Bytes0And3.clear();
    Face.insertCoin();
    Face.insertCoin();
    EXPECT_TRUE(Face.pressStart(1, 1));
    EXPECT_TRUE(Face.pressStart(2, 2));
    boards::FrameHooks hooks{};
    hooks.render = NoteInputs;
    for (int frame = 0; frame < 7; frame++)
        Face.runFrame(hooks);
    EXPECT_EQ(Chip1Bytes0And3, (std::vector<uint8_t>{0x0D, 0x0D, 0x00, 0x01, 0x01, 0x00, 0x00}));
    // The joystick's one start button (one player, up to two): both starts.
    Chip1Bytes0And3.clear();
    EXPECT_TRUE(Face.pressStart(1, 2));
    for (int frame = 0; frame < 3; frame++)
        Face.runFrame(hooks);
    EXPECT_EQ(Chip1Bytes0And3, (std::vector<uint8_t>{0x0C, 0x0C, 0x00}));
    // A held coin stays on when a pulse ends; a pulse is no held control.
    Chip1Bytes0And3.clear();
    Face.setControls(ControlCoin);
    Face.insertCoin();
    EXPECT_TRUE(Face.pressStart(1, 1));
    Face.runFrame(hooks);
    EXPECT_EQ(Face.controlBits(), ControlCoin);
    for (int frame = 0; frame < 3; frame++)
        Face.runFrame(hooks);
    Face.setControls(0);
    Face.runFrame(hooks);
    EXPECT_EQ(Chip1Bytes0And3, (std::vector<uint8_t>{0x05, 0x05, 0x01, 0x01, 0x00}));
}

TEST_F(KlunoFace, EightVoicesOnALine) {
    EXPECT_EQ(Face.soundBuffers().size(), 9u);
    EXPECT_TRUE(Face.soundBuffers()[8].primary);
    recorder.Install();
    Face.attachSound(Sound);
    SoundEnable = 1;
    uint8_t* voice3 = SharedRam + VoiceRegisterOffset + 24;
    voice3[0] = 9;
    voice3[2] = 0x10; // f = 4096
    voice3[3] = 0x20;
    UpdateSoundVoices(SharedRam + VoiceRegisterOffset);
    EXPECT_EQ(Face.voiceLine(0), "v0=off v1=off v2=off v3=w2,2925Hz,vol9 v4=off v5=off v6=off v7=off");
    Face.silence();
    EXPECT_EQ(Face.voiceLine(0).find("w2"), std::string::npos);
}

int Loads, Saves;

TEST_F(KlunoFace, HighScoreTrapsAndTheTable) {
    std::vector<uint8_t>& rom = images[&GameData::cpu1Program];
    Assemble(rom, 0x8000, R"(
        org $9BF0
        clr $4053
        rts
        org $A000
start   lds #$2000
        lda #7
        sta $4053
        jsr $9BF0
        sta $0100       ; A survives the trap
        jmp $C00E
        org $C00E
        ldu #$C0FF
        org $C02C
        bra *
        org $C0FF
        fcb 0,1,0,0
        fcb 'R,'A,'N,'K
        org $FFFE
        fdb start
    )");
    BuildThroughFace();
    Loads = Saves = 0;
    Face.installScoreTraps({[] { Loads++; }, [] { Saves++; }});
    Face.reset();
    Face.runFrame({});
    EXPECT_EQ(Saves, 1);
    EXPECT_EQ(Loads, 1);
    EXPECT_EQ(SharedRam[0x53], 0);
    EXPECT_EQ(MainRam[0x100], 7);
    EXPECT_EQ(Cpus[Cpu1].PC, 0xC02C);

    ASSERT_EQ(Face.scoreSize, 164u);
    std::vector<uint8_t> table(164);
    Face.defaultScores(table.data());
    EXPECT_EQ(table[1], 1);
    EXPECT_EQ(table[4], 'R');
    EXPECT_EQ(table[163], 0xFF);
    Face.scoresIn(table.data());
    EXPECT_EQ(MainRam[0x1832], 1);
    EXPECT_EQ(MainRam[0x2403], 'K');
    MainRam[0x249F] = 0x42;
    Face.scoresOut(table.data());
    EXPECT_EQ(table[163], 0x42);
}

} // namespace
} // namespace kluno_test

namespace kluno_test {
namespace {

// The size a PNG file's header gives, or {0, 0}.
std::pair<uint32_t, uint32_t> PngSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    uint8_t header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    auto word = [&](int at) {
        return uint32_t(header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3]);
    };
    return in ? std::make_pair(word(16), word(20)) : std::make_pair(0u, 0u);
}

TEST_F(KlunoFace, HeadlessRunnerRunsItUprightAndTurned) {
    Assemble(images[&GameData::cpu1Program], 0x8000, " org $8000\nstart bra start\n org $FFFE\n fdb start\n");
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "kluno_boardrun";
    std::filesystem::create_directories(dir);
    for (size_t i = 0; i < std::size(ImageSlots); i++)
        std::ofstream(dir / ImageSlots[i].name, std::ios::binary)
            .write(reinterpret_cast<const char*>(images.bytes[i].data()),
                   std::streamsize(images.bytes[i].size()));
    std::ofstream(dir / "script.txt") << "0 up,shot 1\n2 up,start1\n";
    for (bool turned : {false, true}) {
        std::string png = (dir / (turned ? "turned.png" : "upright.png")).string();
        std::vector<std::string> args = {"boardrun",
                                         "--board",
                                         "kluno",
                                         "--data",
                                         dir.string(),
                                         "--frames",
                                         "3",
                                         "--input",
                                         (dir / "script.txt").string(),
                                         "--png",
                                         png,
                                         "--voices",
                                         (dir / "voices.txt").string()};
        if (turned) args.push_back("--rotated");
        std::vector<const char*> argv;
        for (const std::string& arg : args)
            argv.push_back(arg.c_str());
        ASSERT_EQ(boardrun::Main(int(argv.size()), argv.data()), 0);
        EXPECT_EQ(PngSize(png), turned ? std::make_pair(288u, 224u) : std::make_pair(224u, 288u));
    }
    EXPECT_EQ(IoChipRegs[1], 0x01); // up held
    std::ifstream voices(dir / "voices.txt");
    std::string line;
    std::getline(voices, line);
    EXPECT_EQ(line, "0 v0=off v1=off v2=off v3=off v4=off v5=off v6=off v7=off");
}

} // namespace
} // namespace kluno_test
