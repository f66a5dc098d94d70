#include "tests/dollix/support.h"

#include <iterator>
#include <stdexcept>

#include "tools/asm6809/asm6809.h"

namespace dollix_test {

using namespace dollix;

std::vector<std::string> HookCalls;

TestImages::TestImages() {
    for (const ImageSlot& slot : ImageSlots)
        bytes.emplace_back(slot.size, 0);
}

std::vector<uint8_t>& TestImages::operator[](Image GameData::*member) {
    for (size_t i = 0; i < std::size(ImageSlots); i++)
        if (ImageSlots[i].member == member) return bytes[i];
    throw std::logic_error("no such image");
}

GameData TestImages::Data() const {
    GameData data;
    for (size_t i = 0; i < std::size(ImageSlots); i++)
        data.*ImageSlots[i].member = {bytes[i].data(), bytes[i].size()};
    return data;
}

void Assemble(TestImages& images, bool soundCpu, const std::string& source) {
    uint32_t base = soundCpu ? 0xE000 : 0x8000;
    std::string text =
        " ORG " + std::to_string(base) + "\n" + source + "\n ORG $FFF8\n FDB irq\n ORG $FFFE\n FDB reset\n";
    asm6809::Options options;
    options.base = base;
    options.size = 0x10000 - base;
    asm6809::Result result = asm6809::AssembleSource("test.asm", text, options);
    ASSERT_TRUE(result.errors.empty()) << result.errors.front();
    images[soundCpu ? &GameData::soundProgram : &GameData::mainProgram] = result.image;
}

namespace {

void Note(const char* what) {
    HookCalls.push_back(what);
}

} // namespace

void BoardTest::SetUp() {
    const char* idle = "reset BRA reset\nirq RTI";
    Assemble(images, false, idle);
    Assemble(images, true, idle);
    HookCalls.clear();
    Hooks = {[] { Note("save settings"); }, [] { Note("load"); }, [] { Note("save"); },
             [] { Note("stop sound"); }};
    Build();
}

void BoardTest::Build(const DipSettings& settings, bool highScoreTraps) {
    ASSERT_TRUE(BuildBoard(images.Data(), settings, highScoreTraps));
}

} // namespace dollix_test
