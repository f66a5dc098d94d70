// The busy scene's programs and video RAM.
#include "bench/common/busy_6809.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "tools/asm6809/asm6809.h"

namespace bench_busy {

namespace {

const char Cpu1Source[] = R"(
start   lds #$2800
        sta $5003
        sta $500B
        sta $5001
        sta $5007
        andcc #$EF
main    ldx #$0000
        ldy #$C000
copy    lda ,y+
        adda ,x
        sta ,x+
        cmpx #$0780
        bne copy
        bra main
irq     inc $2700
        rti
        org $FFF8
        fdb irq
        org $FFFE
        fdb start
)";
const char Cpu2Source[] = R"(
        org $E000
start   lds #$0400
        andcc #$EF
loop    ldx #$0003
voice   inc 1,x
        lda #$0F
        sta ,x
        ldb 3,x
        addb #$11
        stb 3,x
        leax 8,x
        cmpx #$0043
        bne voice
        bra loop
irq     rti
        org $FFF8
        fdb irq
        org $FFFE
        fdb start
)";

std::vector<uint8_t> Assemble(const std::string& source, uint16_t base) {
    asm6809::Options options;
    options.base = base;
    options.size = 0x10000u - base;
    asm6809::Result result = asm6809::AssembleSource("bench.asm", source, options);
    if (!result.errors.empty()) {
        std::fprintf(stderr, "%s\n", result.errors.front().c_str());
        std::exit(1);
    }
    return result.image;
}

} // namespace

kluno::GameData GameData(std::span<const kluno::ImageSlot> slots, uint16_t cpu1Base) {
    static std::vector<std::vector<uint8_t>> images;
    images.clear();
    std::mt19937 random(2024);
    kluno::GameData data;
    for (const kluno::ImageSlot& slot : slots) {
        std::vector<uint8_t>& image = images.emplace_back(slot.size);
        if (slot.member == &kluno::GameData::cpu1Program) {
            char org[32];
            std::snprintf(org, sizeof org, "        org $%04X\n", cpu1Base);
            image = Assemble(org + std::string(Cpu1Source), cpu1Base);
        } else if (slot.member == &kluno::GameData::cpu2Program) {
            image = Assemble(Cpu2Source, 0xE000);
        } else {
            for (uint8_t& byte : image)
                byte = uint8_t(random());
        }
        data.*slot.member = {image.data(), image.size()};
    }
    return data;
}

void FillScene(uint8_t* ram) {
    std::mt19937 random(77);
    for (int i = 0; i < 0x1000; i++)
        ram[i] = uint8_t(random());
    for (int i = 0; i < 64; i++) {
        ram[0x1780 + 2 * i] = uint8_t(random());
        ram[0x1781 + 2 * i] = uint8_t(random());
        ram[0x1F80 + 2 * i] = uint8_t(20 + random() % 190);
        ram[0x1F81 + 2 * i] = uint8_t(60 + random() % 190);
        ram[0x2780 + 2 * i] = uint8_t(12 | (random() & 3));
        ram[0x2781 + 2 * i] = 0;
    }
}

} // namespace bench_busy
