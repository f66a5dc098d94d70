// Programs assembled by the 6809 assembler and run on the interpreter: what
// the assembler encodes, the interpreter must decode to the intended effect.
// The last test runs the self-checking program that goes through every
// instruction group.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <sstream>

#include "cpu/m6809/m6809.h"
#include "tools/asm6809/asm6809.h"

namespace {

struct Machine {
    M6809Context cpu{};
    std::array<uint8_t, 0x10000> memory{};
};

struct Stop {
    bool trapped = false;
    uint16_t address = 0;
    uint32_t page = 0;
};
Stop stop;

void StopOnTrap(M6809Context* cpu, uint16_t address, uint32_t page) {
    stop = {true, address, page};
    cpu->running = 0;
}

// Loads a whole 64 KB image: RAM below romStart, read-only memory from there.
std::unique_ptr<Machine> Boot(const std::vector<uint8_t>& image, uint32_t romStart = 0x10000) {
    auto m = std::make_unique<Machine>();
    std::memcpy(m->memory.data(), image.data(), m->memory.size());
    M6809BuildFlagTables();
    M6809InitPageTables(&m->cpu);
    for (uint32_t page = 0; page < 256; ++page)
        m->cpu.pages[page] = {m->memory.data() + page * 256, page * 256 < romStart ? RamWrite : NullWrite};
    M6809SetTrapHook(StopOnTrap);
    M6809Reset(&m->cpu);
    return m;
}

// Runs until the trap hook stops the CPU. Each time the CPU stops by itself
// (SYNC, CWAI) it gets one IRQ. Returns the number of those, or -1 when the
// program did not stop within the limit.
int RunToTrap(Machine& m, uint32_t limit = 1000000) {
    stop = {};
    int wakes = 0;
    for (uint32_t n = 0; n < limit; ++n) {
        M6809RunOne(&m.cpu, 1);
        if (stop.trapped) return wakes;
        if (!m.cpu.running) {
            ++wakes;
            M6809Irq(&m.cpu);
        }
    }
    return -1;
}

asm6809::Result AssembleProgram(const std::string& source) {
    asm6809::Result r = asm6809::AssembleSource("program.asm", source + "\n org $FFFE\n fdb start\n", {});
    EXPECT_TRUE(r.errors.empty()) << source << "\n" << (r.errors.empty() ? "" : r.errors[0]);
    return r;
}

// Assembles a program that starts at the label start, runs it to its first
// trap and returns the machine.
std::unique_ptr<Machine> RunProgram(const std::string& source, asm6809::Result* result = nullptr) {
    asm6809::Result r = AssembleProgram(source);
    if (!r.errors.empty()) return nullptr;
    auto m = Boot(r.image);
    EXPECT_EQ(RunToTrap(*m), 0) << source;
    if (result) *result = std::move(r);
    return m;
}

TEST(Asm6809RoundTrip, IndexedOperandsReachTheirAddresses) {
    struct Case {
        const char* operand; // of LEAY
        int y;               // expected Y, or its distance from the end of the LEAY
        bool relative;
        int x; // expected X afterwards
    };
    const Case cases[] = {
        {"5,x", 0x2005, false, 0x2000},        {"-16,x", 0x1FF0, false, 0x2000},
        {"-17,x", 0x1FEF, false, 0x2000},      {"127,x", 0x207F, false, 0x2000},
        {"200,u", 0x40C8, false, 0x2000},      {"-300,s", 0x7ED4, false, 0x2000},
        {">1,x", 0x2001, false, 0x2000},       {"<-1,x", 0x1FFF, false, 0x2000},
        {"a,x", 0x1FF0, false, 0x2000},        {"b,x", 0x2010, false, 0x2000},
        {"d,x", 0x1010, false, 0x2000},        {",x+", 0x2000, false, 0x2001},
        {",x++", 0x2000, false, 0x2002},       {",-x", 0x1FFF, false, 0x1FFF},
        {",--x", 0x1FFE, false, 0x1FFE},       {"$1234,pcr", 0x1234, false, 0x2000},
        {"start,pcr", 0x1000, false, 0x2000},  {"5,pc", 5, true, 0x2000},
        {"-300,pc", -300, true, 0x2000},       {"[$2000]", 0xABCD, false, 0x2000},
        {"[,x]", 0xABCD, false, 0x2000},       {"[2,x]", 0xBEEF, false, 0x2000},
        {"[,x++]", 0xABCD, false, 0x2002},     {"[,--x]", 0x1111, false, 0x1FFE},
        {"[a,x]", 0x2222, false, 0x2000},      {"[$2002,pcr]", 0xBEEF, false, 0x2000},
        {"[data,pcr]", 0xABCD, false, 0x2000},
    };
    for (const Case& c : cases) {
        const std::string source = " org $1FF0\n fdb $2222\n org $1FFE\n fdb $1111\n"
                                   " org $2000\ndata fdb $ABCD,$BEEF\n"
                                   " org $1000\n"
                                   "start lds #$8000\n ldx #$2000\n ldu #$4000\n lda #$F0\n ldb #$10\n"
                                   " leay " +
                                   std::string(c.operand) + "\nafter fcb 1\n";
        asm6809::Result r;
        auto m = RunProgram(source, &r);
        ASSERT_TRUE(m) << c.operand;
        const int after = static_cast<int>(r.symbols.at("after"));
        const int y = c.relative ? (after + c.y) & 0xFFFF : c.y;
        EXPECT_EQ(m->cpu.Y, y) << c.operand;
        EXPECT_EQ(m->cpu.X, c.x) << c.operand;
        EXPECT_EQ(stop.address, after) << c.operand;
    }
}

TEST(Asm6809RoundTrip, ProgramsComputeTheirResults) {
    // A backward long branch loop, subroutines at every distance, data read back.
    auto m = RunProgram(R"(
start   lds #$8000
        clra
        ldb #100
loop    jsr addb
        decb
        lbne loop           ; A = 100+99+...+1 mod 256
        ldx #0
        bsr near
        lbsr far
        jsr [farvec]
        ldy #text
        ldb 6,y
        fcb 1
near    leax 1,x
        rts
addb    pshs b
        adda ,s+
        rts
text    fcc "Hello, world"
farvec  fdb far
        fill $01,1000
far     leax 16,x
        rts
)");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->cpu.A, 5050 % 256);
    EXPECT_EQ(m->cpu.X, 33);
    EXPECT_EQ(m->cpu.B, ' ');

    // Branches that wrap around the top of the address space.
    m = RunProgram(R"(
        org $FFF0
start   lbra target
        org $0000
back    bra $FFF6
        org $0010
target  fcb 1
)");
    ASSERT_TRUE(m);
    EXPECT_EQ(stop.address, 0x0010);
    m = RunProgram(R"(
        org $FFF0
start   jmp back
        fcb 1,1,1
        fcb 1               ; $FFF6: where the branch from $0000 lands
        org $0000
back    bra $FFF6
)");
    ASSERT_TRUE(m);
    EXPECT_EQ(stop.address, 0xFFF6);

    // SETDP makes plain addresses direct; the CPU's DP must agree.
    asm6809::Result r;
    m = RunProgram(R"(
        org $1000
start   lda #$20
        tfr a,dp
        setdp $20
        ldb #$5A
        stb $2010
        stb <$11
        ldx #$1234
        stx $2020
        setdp 0
        clr $2010&$FF
        fcb 1
)",
                   &r);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->memory[0x2011], 0x5A);
    EXPECT_EQ(m->memory[0x2020], 0x12);
    EXPECT_EQ(m->memory[0x2021], 0x34);
    // SETDP only tells the assembler: with DP still $20, the direct $10 is $2010.
    EXPECT_EQ(m->memory[0x0010], 0xFF);
    EXPECT_EQ(m->memory[0x2010], 0x00);
    EXPECT_NE(r.listing.find("D7 10"), std::string::npos); // stb $2010 was assembled direct
}

TEST(Asm6809RoundTrip, StackListsAndRegisterPairs) {
    auto m = RunProgram(R"(
start   lds #$8000
        ldu #$7000
        ldd #$1122
        ldx #$3344
        ldy #$5566
        pshs a,b,x,y,u,dp,cc
        pshu s,y,x
        ldd #0
        ldx #0
        ldy #0
        pulu x,y,s
        puls cc,dp,u,y,x,b,a
        exg x,y
        tfr y,u
        exg a,b
        fcb 1
)");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->cpu.A, 0x22);
    EXPECT_EQ(m->cpu.B, 0x11);
    EXPECT_EQ(m->cpu.X, 0x5566);
    EXPECT_EQ(m->cpu.Y, 0x3344);
    EXPECT_EQ(m->cpu.U, 0x3344);
    EXPECT_EQ(m->cpu.S, 0x8000);
    // The pushed bytes lie big-endian below the stack pointers.
    // The pushed words lie big-endian: S got CC, A, B, DP, X, Y, U upwards
    // from $7FF6, U got X, Y, S upwards from $6FFA.
    EXPECT_EQ(m->memory[0x7FF7], 0x11);
    EXPECT_EQ(m->memory[0x7FFA], 0x33);
    EXPECT_EQ(m->memory[0x7FFC], 0x55);
    EXPECT_EQ(m->memory[0x7FFE], 0x70);
    EXPECT_EQ(m->memory[0x6FFA], 0x33);
    EXPECT_EQ(m->memory[0x6FFE], 0x7F);
    EXPECT_EQ(m->memory[0x6FFF], 0xF6);
}

// The self-checking program stops at its label pass; a failed check stops at
// failed with the step in A and, in X, the address after the failing call.
TEST(Asm6809SelfCheck, PassesEveryCheck) {
    asm6809::Options options;
    options.base = 0xE000;
    options.size = 0x2000;
    const asm6809::Result r = asm6809::AssembleFile(ASM6809_TEST_DIR "/selfcheck.asm", options);
    ASSERT_TRUE(r.errors.empty()) << r.errors[0];
    std::vector<uint8_t> image(0x10000, 0x00);
    std::copy(r.image.begin(), r.image.end(), image.begin() + 0xE000);
    auto m = Boot(image, 0xE000);
    const int wakes = RunToTrap(*m, 10000000);
    ASSERT_GE(wakes, 0) << "the program did not stop; PC = " << m->cpu.PC;
    EXPECT_EQ(stop.page, 1u);
    if (stop.address != r.symbols.at("pass")) {
        std::ostringstream where;
        char call[8];
        std::snprintf(call, sizeof call, "%04X", static_cast<unsigned>(m->cpu.X - 3) & 0xFFFF);
        std::istringstream listing(r.listing);
        std::vector<std::string> lines;
        for (std::string line; std::getline(listing, line);)
            lines.push_back(line);
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].rfind(call, 0) == 0)
                for (size_t j = i < 8 ? 0 : i - 8; j < lines.size() && j <= i + 2; ++j)
                    where << "\n" << lines[j];
        FAIL() << "stopped at " << stop.address << " (failed = " << r.symbols.at("failed") << "), step "
               << int(m->cpu.A) << ", check call at " << call << where.str();
    }
    EXPECT_EQ(wakes, 2);           // SYNC once, CWAI once
    EXPECT_EQ(m->memory[0x09], 1); // the one IRQ that CWAI let in
}

} // namespace
