// Encodings, directives, expressions, includes, listing and error reports of
// the 6809 assembler.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "tools/asm6809/asm6809.h"

namespace {

using asm6809::AssembleSource;
using asm6809::Options;
using asm6809::Result;

std::vector<uint8_t> ParseHex(const std::string& text) {
    std::istringstream in(text);
    std::vector<uint8_t> bytes;
    for (std::string byte; in >> byte;)
        bytes.push_back(static_cast<uint8_t>(std::stoul(byte, nullptr, 16)));
    return bytes;
}

Options Image(uint32_t base, uint32_t size) {
    Options options;
    options.base = base;
    options.size = size;
    return options;
}

// Assembles source placed at $1000 and returns the bytes up to the end label.
std::vector<uint8_t> Encode(const std::string& source, std::string* error = nullptr) {
    const Result r = AssembleSource("test.asm", " org $1000\n" + source + "\nzz_end\n", Image(0, 0x10000));
    if (!r.errors.empty()) {
        if (error) *error = r.errors[0];
        return {};
    }
    const auto end = static_cast<size_t>(r.symbols.at("zz_end"));
    return std::vector<uint8_t>(r.image.begin() + 0x1000, r.image.begin() + static_cast<long>(end));
}

TEST(Asm6809, EncodesEveryAddressingMode) {
    const std::pair<const char*, const char*> cases[] = {
        // Inherent, the prefixed pages, immediate of both widths.
        {" nop", "12"},
        {" swi2", "10 3F"},
        {" swi3", "11 3F"},
        {" lsla", "48"},
        {" clrb", "5F"},
        {" sex", "1D"},
        {" lda #1", "86 01"},
        {" LDA #-128", "86 80"},
        {" ldb #'A", "C6 41"},
        {" ldb #'''", "C6 27"},
        {" ldd #$1234", "CC 12 34"},
        {" ldy #-1", "10 8E FF FF"},
        {" cmps #2", "11 8C 00 02"},
        {" addd #1", "C3 00 01"},
        {" orcc #$50", "1A 50"},
        {" andcc #~$50", "1C AF"},
        {" cwai #$EF", "3C EF"},
        // Direct and extended, automatic and forced, and SETDP.
        {" lda $10", "96 10"},
        {" lda <$10", "96 10"},
        {" lda >$10", "B6 00 10"},
        {" lda $1234", "B6 12 34"},
        {" setdp $20\n lda $2010\n lda $10\n lda <$2011\n lda <$12", "96 10 B6 00 10 96 11 96 12"},
        {" neg <$10", "00 10"},
        {" neg $1234", "70 12 34"},
        {" lsl $10", "08 10"},
        {" tst >$10", "7D 00 10"},
        {" jmp $1234", "7E 12 34"},
        {" jsr $10", "9D 10"},
        {" sty $1234", "10 BF 12 34"},
        {" sts <$20", "10 DF 20"},
        // Indexed: no offset, 5-, 8- and 16-bit offsets at their limits.
        {" lda ,x\n lda ,y\n lda ,u\n lda ,s", "A6 84 A6 A4 A6 C4 A6 E4"},
        {" lda 0,x", "A6 84"},
        {" lda 1,x\n lda 15,y\n lda -16,u\n lda -1,s", "A6 01 A6 2F A6 50 A6 7F"},
        {" lda 16,x\n lda -17,x", "A6 88 10 A6 88 EF"},
        {" lda 127,x\n lda -128,x", "A6 88 7F A6 88 80"},
        {" lda 128,x\n lda -129,x", "A6 89 00 80 A6 89 FF 7F"},
        {" lda $FFFF,x", "A6 89 FF FF"},
        {" lda <1,x\n lda >1,x\n lda <0,x", "A6 88 01 A6 89 00 01 A6 88 00"},
        {" lda a,x\n lda b,y\n lda d,u", "A6 86 A6 A5 A6 CB"},
        {" lda ,x+\n lda ,x++\n lda ,-x\n lda ,--x\n lda ,s++", "A6 80 A6 81 A6 82 A6 83 A6 E1"},
        // Indirect: every form but ,R+ and ,-R, no 5-bit offset, and [address].
        {" lda [,x]\n lda [0,x]\n lda [1,x]", "A6 94 A6 94 A6 98 01"},
        {" lda [300,y]", "A6 B9 01 2C"},
        {" lda [a,x]\n lda [b,x]\n lda [d,x]", "A6 96 A6 95 A6 9B"},
        {" lda [,x++]\n lda [,--x]", "A6 91 A6 93"},
        {" lda [$1234]", "A6 9F 12 34"},
        {" lda [>$10]", "A6 9F 00 10"},
        // PC-relative: n,PC is the offset, n,PCR the target.
        {" lda 5,pc\n lda 300,pc\n lda [5,pc]", "A6 8C 05 A6 8D 01 2C A6 9C 05"},
        {" lda $1000,pcr", "A6 8C FD"},
        {" leax $1082,pcr", "30 8C 7F"},
        {" leax $1083,pcr", "30 8D 00 7F"},
        {" leax $0F83,pcr", "30 8C 80"},
        {" leax $0F82,pcr", "30 8D FF 7E"},
        {" leax >$1003,pcr", "30 8D FF FF"},
        {" leax [$1000,pcr]", "30 9C FD"},
        {" ldy $1000,pcr", "10 AE 8C FC"},
        // The memory and load-effective-address groups.
        {" neg ,x\n clr 5,s\n jmp [$1234]", "60 84 6F 65 6E 9F 12 34"},
        {" leax 5,x\n leay ,y+\n leas -2,s\n leau [,u]", "30 05 31 A0 32 7E 33 D4"},
        {" stu 3,x\n jsr [,y]\n cmpu ,s\n lds [$10]", "EF 03 AD B4 11 A3 E4 10 EE 9F 00 10"},
        // Branches, short and long, to their limits.
        {" bra $1000", "20 FE"},
        {" bra $1081", "20 7F"},
        {" bra $0F82", "20 80"},
        {" bhs $1000\n blo $1002", "24 FE 25 FE"},
        {" lbra $1000", "16 FF FD"},
        {" lbeq $1000", "10 27 FF FC"},
        {" lbrn $1004", "10 21 00 00"},
        {" bsr $1002\n lbsr $1005", "8D 00 17 00 00"},
        // Register lists and pairs.
        {" pshs cc,a,b,dp,x,y,u,pc", "34 FF"},
        {" puls d\n pshu s\n pulu pc,s,y", "35 06 36 40 37 E0"},
        {" tfr d,x\n exg a,b\n tfr cc,a\n tfr x,pc\n exg dp,cc\n tfr a,a",
         "1F 01 1E 89 1F A8 1F 15 1E BA 1F 88"},
    };
    for (const auto& [source, hex] : cases) {
        std::string error;
        EXPECT_EQ(Encode(source, &error), ParseHex(hex)) << source << "\n" << error;
    }
}

// Every documented opcode of the three pages comes out of some mnemonic and
// operand form, and nothing else does.
TEST(Asm6809, CoversEveryDocumentedOpcode) {
    const std::string names = "ABX ADCA ADCB ADDA ADDB ADDD ANDA ANDB ANDCC ASL ASLA ASLB ASR ASRA ASRB BCC "
                              "BCS BEQ BGE BGT BHI BHS "
                              "BITA BITB BLE BLO BLS BLT BMI BNE BPL BRA BRN BSR BVC BVS CLR CLRA CLRB CMPA "
                              "CMPB CMPD CMPS CMPU CMPX "
                              "CMPY COM COMA COMB CWAI DAA DEC DECA DECB EORA EORB EXG INC INCA INCB JMP JSR "
                              "LBCC LBCS LBEQ LBGE LBGT "
                              "LBHI LBHS LBLE LBLO LBLS LBLT LBMI LBNE LBPL LBRA LBRN LBSR LBVC LBVS LDA LDB "
                              "LDD LDS LDU LDX LDY LEAS "
                              "LEAU LEAX LEAY LSL LSLA LSLB LSR LSRA LSRB MUL NEG NEGA NEGB NOP ORA ORB ORCC "
                              "PSHS PSHU PULS PULU ROL "
                              "ROLA ROLB ROR RORA RORB RTI RTS SBCA SBCB SEX STA STB STD STS STU STX STY "
                              "SUBA SUBB SUBD SWI SWI2 SWI3 "
                              "SYNC TFR TST TSTA TSTB";
    // Operand forms and the bytes they add after the opcode. The last three
    // (register list, register pair, branch target) are tried only when no
    // other form fits, since "*" is also an address and "x,y" a pair or list.
    const std::pair<const char*, int> forms[] = {{"", 0},       {"#1", 1}, {"<$10", 1}, {",x", 1},
                                                 {">$1234", 2}, {"a", 1},  {"x,y", 1},  {"*", 1}};
    constexpr size_t kFallbackForms = 5;
    const std::set<int> wideImmediate = {0x83, 0x8C, 0x8E, 0xC3, 0xCC, 0xCE};
    const std::map<std::string, std::string> aliases = {{"LSL", "ASL"},  {"LSLA", "ASLA"}, {"LSLB", "ASLB"},
                                                        {"BHS", "BCC"},  {"BLO", "BCS"},   {"LBHS", "LBCC"},
                                                        {"LBLO", "LBCS"}};
    std::set<int> produced;
    std::istringstream list(names);
    for (std::string name; list >> name;) {
        if (aliases.count(name)) {
            for (const auto& [operand, length] : forms)
                EXPECT_EQ(Encode(" " + name + " " + operand), Encode(" " + aliases.at(name) + " " + operand))
                    << name;
            continue;
        }
        int accepted = 0;
        for (size_t form = 0; form < std::size(forms); ++form) {
            const auto& [operand, length] = forms[form];
            if (form >= kFallbackForms && accepted) break;
            const std::vector<uint8_t> bytes = Encode(" " + name + " " + operand);
            if (bytes.empty()) continue;
            ++accepted;
            const bool prefixed = bytes[0] == 0x10 || bytes[0] == 0x11;
            const int code = prefixed ? bytes[0] << 8 | bytes[1] : bytes[0];
            EXPECT_TRUE(produced.insert(code).second) << name << " " << operand << " repeats an opcode";
            int expected = (prefixed ? 2 : 1) + length;
            if (std::string(operand) == "#1" && wideImmediate.count(code & 0xFF)) ++expected;
            if (std::string(operand) == "*" && name[0] == 'L') ++expected;
            EXPECT_EQ(bytes.size(), static_cast<size_t>(expected)) << name << " " << operand;
        }
        EXPECT_GT(accepted, 0) << name;
    }
    std::set<int> expected;
    const std::set<int> traps = {0x01, 0x02, 0x05, 0x0B, 0x14, 0x15, 0x18, 0x1B, 0x38, 0x3E, 0x41, 0x42,
                                 0x45, 0x4B, 0x4E, 0x51, 0x52, 0x55, 0x5B, 0x5E, 0x61, 0x62, 0x65, 0x6B,
                                 0x71, 0x72, 0x75, 0x7B, 0x87, 0x8F, 0xC7, 0xCD, 0xCF, 0x10, 0x11};
    for (int op = 0; op < 256; ++op)
        if (!traps.count(op)) expected.insert(op);
    for (int op = 0x21; op <= 0x2F; ++op)
        expected.insert(0x1000 | op);
    for (int op : {0x3F, 0x83, 0x8C, 0x8E, 0x93, 0x9C, 0x9E, 0x9F, 0xA3, 0xAC, 0xAE, 0xAF,
                   0xB3, 0xBC, 0xBE, 0xBF, 0xCE, 0xDE, 0xDF, 0xEE, 0xEF, 0xFE, 0xFF})
        expected.insert(0x1000 | op);
    for (int op : {0x3F, 0x83, 0x8C, 0x93, 0x9C, 0xA3, 0xAC, 0xB3, 0xBC})
        expected.insert(0x1100 | op);
    EXPECT_EQ(produced, expected);
    EXPECT_EQ(expected.size(), 221u + 38u + 9u);
}

TEST(Asm6809, EvaluatesExpressions) {
    const std::pair<const char*, int64_t> cases[] = {
        {"2+3*4", 14},
        {"(2+3)*4", 20},
        {"1<<4|1", 17},
        {"$F0&$3C", 0x30},
        {"%1010", 10},
        {"'A", 65},
        {"'A'+1", 66},
        {"-1", -1},
        {"~0", -1},
        {"10/3", 3},
        {"-7/2", -3},
        {"$FF^$0F", 0xF0},
        {"1+2<<3", 24},
        {"$8000>>15", 1},
        {"0x1F", 31},
        {"--5", 5},
        {"+5-+2", 3},
        {"6&3|8", 10},
        {"5-3-1", 1},
        {"64/4/2", 8},
        {"* + 2", 0x1002},
        {"**2", 0x2000},
        {"4294967295", 4294967295},
    };
    for (const auto& [expression, value] : cases) {
        const Result r =
            AssembleSource("t.asm", " org $1000\nv equ " + std::string(expression) + "\n", Options());
        ASSERT_TRUE(r.errors.empty()) << expression << ": " << r.errors[0];
        EXPECT_EQ(r.symbols.at("v"), value) << expression;
    }
}

TEST(Asm6809, ForwardReferencesTakeTheLongFormAndKeepAddresses) {
    const std::string source = "early equ $20\n"
                               " org $1000\n"
                               " lda late\n"  // forward: extended although $0010 is in the direct page
                               " lda early\n" // known: direct
                               " lda off,x\n" // forward offset: 16-bit
                               " leax there,pcr\n"
                               " lda chain\n" // equate of an equate defined later
                               "there nop\n"
                               "late equ $10\n"
                               "off equ 1\n"
                               "chain equ last+1\n"
                               "last equ late*2\n";
    const Result r = AssembleSource("t.asm", source, Image(0x1000, 0x100));
    ASSERT_TRUE(r.errors.empty()) << r.errors[0];
    EXPECT_EQ(std::vector<uint8_t>(r.image.begin(), r.image.begin() + 17),
              ParseHex("B6 00 10 96 20 A6 89 00 01 30 8D 00 03 B6 00 21 12"));
    EXPECT_EQ(r.symbols.at("there"), 0x1010);
    EXPECT_EQ(r.symbols.at("chain"), 0x21);
}

TEST(Asm6809, DirectivesPlaceData) {
    const std::string source = " org $1000\n"
                               "bytes fcb 1,$FF,-1,'z\n"
                               "words fdb $1234,-2,words\n"
                               "text fcc \"a;b\"  ; comment\n"
                               " fcc /x\"y/\n"
                               "space rmb 3\n"
                               " fill $AA,2\n"
                               " fill 0,$1020-*\n"
                               "pad nop\n"
                               " org $10F0\n"
                               " fcc ||\n";
    const Result r = AssembleSource("t.asm", source, Image(0x1000, 0x100));
    ASSERT_TRUE(r.errors.empty()) << r.errors[0];
    EXPECT_EQ(
        std::vector<uint8_t>(r.image.begin(), r.image.begin() + 0x21),
        ParseHex("01 FF FF 7A 12 34 FF FE 10 04 61 3B 62 78 22 79 FF FF FF AA AA 00 00 00 00 00 00 00 00 "
                 "00 00 00 12"));
    EXPECT_EQ(r.symbols.at("space"), 0x1010);
    EXPECT_EQ(r.symbols.at("pad"), 0x1020);
    for (size_t i = 0x21; i < 0x100; ++i)
        ASSERT_EQ(r.image[i], 0xFF) << i;
    EXPECT_EQ(r.image.size(), 0x100u);
}

TEST(Asm6809, ParsesLabelsAndComments) {
    const std::string source = "* a comment line\n"
                               "; another\n"
                               "   * indented comment\n"
                               "\n"
                               " org $1000\n"
                               "first nop ; trailing\n"
                               "second: nop\n"
                               "  third: nop\n"
                               "Fourth\n"
                               "fourth\tnop\n"
                               "_x.y: FCB first&$FF\n"
                               "\tlda\t#1\r\n";
    const Result r = AssembleSource("t.asm", source, Image(0x1000, 0x10));
    ASSERT_TRUE(r.errors.empty()) << r.errors[0];
    EXPECT_EQ(r.symbols.at("first"), 0x1000);
    EXPECT_EQ(r.symbols.at("second"), 0x1001);
    EXPECT_EQ(r.symbols.at("third"), 0x1002);
    EXPECT_EQ(r.symbols.at("Fourth"), 0x1003);
    EXPECT_EQ(r.symbols.at("fourth"), 0x1003);
    EXPECT_EQ(r.symbols.at("_x.y"), 0x1004);
    EXPECT_EQ(std::vector<uint8_t>(r.image.begin(), r.image.begin() + 7), ParseHex("12 12 12 12 00 86 01"));
}

TEST(Asm6809, IncludesResolveBesideTheIncluderThenInIncludeDirectories) {
    const std::map<std::string, std::string> files = {
        {"src/main.asm",
         " org $1000\n include \"sub/a.inc\"\n include b.inc ; from the include dir\n fcb aval,bval\n"},
        {"src/sub/a.inc", "aval equ 1\n include c.inc\n"},
        {"src/sub/c.inc", " fcb $CC\n"},
        {"lib/b.inc", "bval equ 2\n"},
        {"src/self.asm", " include self.asm\n"},
        {"src/missing.asm", " nop\n include nowhere.inc\n"},
    };
    auto reader = [&](const std::string& path) -> std::optional<std::string> {
        auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        return found->second;
    };
    Options options = Image(0x1000, 0x10);
    options.includeDirs = {"lib"};
    Result r = asm6809::Assemble("src/main.asm", options, reader);
    ASSERT_TRUE(r.errors.empty()) << r.errors[0];
    EXPECT_EQ(std::vector<uint8_t>(r.image.begin(), r.image.begin() + 3), ParseHex("CC 01 02"));

    r = asm6809::Assemble("src/self.asm", options, reader);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "src/self.asm:1: 'src/self.asm' includes itself");
    r = asm6809::Assemble("src/missing.asm", options, reader);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "src/missing.asm:2: cannot find include file 'nowhere.inc'");
    r = asm6809::Assemble("src/none.asm", options, reader);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "src/none.asm: cannot read the file");
    // Errors inside an included file name that file.
    r = AssembleSource("top.asm", " nop\n include bad.inc\n", options,
                       [](const std::string& path) -> std::optional<std::string> {
                           if (path == "bad.inc") return std::string("\n lda #999\n");
                           return std::nullopt;
                       });
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "bad.inc:2: immediate value 999 out of range -128..255");
}

TEST(Asm6809, ListsAddressesBytesAndSymbols) {
    const std::string source = "* header\n"
                               " org $E000\n"
                               "start lda #1\n"
                               "five equ 5\n"
                               " fcc \"ABCDEFG\"\n"
                               " rmb 2\n"
                               " fill $FF,100\n";
    const Result r = AssembleSource("t.asm", source, Image(0xE000, 0x2000));
    ASSERT_TRUE(r.errors.empty()) << r.errors[0];
    EXPECT_EQ(r.listing, "                      * header\n"
                         "E000                   org $E000\n"
                         "E000  86 01           start lda #1\n"
                         "      = $0005         five equ 5\n"
                         "E002  41 42 43 44 45   fcc \"ABCDEFG\"\n"
                         "E007  46 47\n"
                         "E009                   rmb 2\n"
                         "E00B  FF FF FF FF FF   fill $FF,100\n"
                         "\n"
                         "Symbols\n"
                         "five                    $0005\n"
                         "start                   $E000\n");
}

// Each bad input gives exactly one error naming the file and line, and no image.
TEST(Asm6809, ReportsBadInputWithFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {" ldz #1", "2: unknown mnemonic 'ldz'"},
        {" lda nowhere", "2: undefined symbol 'nowhere'"},
        {" bra *+130", "2: branch to $1082 out of range (offset 128); use LBRA"},
        {" nop\n beq *-127", "3: branch to $0F82 out of range (offset -129); use LBEQ"},
        {" lda #256", "2: immediate value 256 out of range -128..255"},
        {" lda #-129", "2: immediate value -129 out of range -128..255"},
        {" ldx #65536", "2: immediate value 65536 out of range -32768..65535"},
        {" andcc #$100", "2: immediate value 256 out of range -128..255"},
        {" fcb 256", "2: byte 256 out of range -128..255"},
        {" fdb -32769", "2: word -32769 out of range -32768..65535"},
        {" lda <$1234", "2: address $1234 is not in the direct page $0000-$00FF"},
        {" lda <200,x", "2: offset 200 out of range -128..127"},
        {" lda <$1100,pcr", "2: offset 253 out of range -128..127"},
        {" lda $10000", "2: address 65536 out of range -32768..65535"},
        {" lda $12345,x", "2: offset 74565 out of range -32768..65535"},
        {" lbra $12345", "2: branch target 74565 out of range -32768..65535"},
        {" lda $FFFFFFFF*$FFFFFFFF,pcr", "2: address -8589934591 out of range -32768..65535"},
        {" nop\n org $1000\n nop", "4: address $1000 already holds code from test.asm:2"},
        {" org $0FFF\n nop", "3: address $0FFF lies outside the image $1000-$FFFF"},
        {" org $FFFF\n ldx #1", "3: code runs past $FFFF"},
        {" org $FFFF\n rmb 2", "3: RMB runs past $FFFF"},
        {"dup nop\ndup nop", "3: symbol 'dup' already defined at test.asm:2"},
        {" sta #1", "2: STA cannot take an immediate operand"},
        {" jmp #1", "2: JMP cannot take an immediate operand"},
        {" leax $10", "2: LEAX needs an indexed operand"},
        {" orcc $10", "2: ORCC takes only an immediate operand (#value)"},
        {" pshs s", "2: PSHS cannot push or pull S, its own stack pointer"},
        {" pulu x,u", "2: PULU cannot push or pull U, its own stack pointer"},
        {" pshs d,a", "2: register A overlaps one listed before"},
        {" pshs a,q", "2: expected a register, found 'q'"},
        {" tfr a,x", "2: cannot pair an 8-bit with a 16-bit register"},
        {" exg pc", "2: expected ',' between the two registers, found the end of the operand"},
        {" tfr a,pcr", "2: expected a register, found 'pcr'"},
        {" lda [,x+]", "2: [,R+] and [,-R] do not exist; use [,R++] or [,--R]"},
        {" lda ,x+++", "2: unexpected '+' after the operand"},
        {" lda 1,x+", "2: auto-increment and auto-decrement take no offset"},
        {" lda a,--x", "2: auto-increment and auto-decrement take no offset"},
        {" lda ,q", "2: expected X, Y, U, S, PC or PCR after ',', found 'q'"},
        {" lda a,pcr", "2: PCR needs a constant offset before the comma"},
        {" lda ,pc+", "2: PC cannot be incremented or decremented"},
        {" lda [1,x", "2: missing ']' before the end of the operand"},
        {" lda [<1]", "2: '<' cannot force a direct address inside [ ]"},
        {" lda (1", "2: missing ')' before the end of the operand"},
        {" lda 1 2", "2: unexpected '2' after the operand"},
        {" lda b", "2: register B where a value is expected"},
        {" lda", "2: missing operand for LDA"},
        {" nop 1", "2: NOP takes no operand"},
        {" lda #$", "2: bad number '$'"},
        {" lda #12ab", "2: bad number '12ab'"},
        {" lda #%102", "2: bad number '%102'"},
        {" lda #$100000000", "2: bad number '$100000000'"},
        {" lda #'", "2: character constant without a character"},
        {" lda #1 @", "2: unexpected character '@'"},
        {" org later\nlater nop", "2: ORG cannot use a symbol defined later"},
        {" rmb n\nn equ 2", "2: RMB cannot use a symbol defined later"},
        {" setdp $100", "2: SETDP page 256 out of range 0..255"},
        {" fill 0,-1", "2: FILL count -1 out of range 0..65536"},
        {" fill 0", "2: FILL takes a value and a count"},
        {" fill 256,1", "2: FILL value 256 out of range -128..255"},
        {" equ 5", "2: EQU needs a label"},
        {"lbl org $1000", "2: ORG takes no label"},
        {"x nop", "2: 'x' is a register name and cannot be a label"},
        {"1abc nop", "2: a label must start with a letter, '_' or '.'"},
        {"abc=1", "2: bad character '=' after label 'abc'"},
        {" #1", "2: expected a mnemonic, found '#'"},
        {" lda #1/0", "2: division by zero"},
        {" lda #1<<64", "2: shift count 64 out of range 0..63"},
        {"a1 equ a1+1", "2: symbol 'a1' has no value"},
        {" fcc \"abc", "2: unterminated string"},
        {" fcc abc", "2: the string needs a delimiter such as \" or /"},
        {" fcc /abc/ x", "2: unexpected text after the string"},
        {" include", "2: missing file name"},
        {" include \"a.inc", "2: unterminated file name"},
        {" fcb 1,", "2: expected a value, found the end of the operand"},
    };
    for (const auto& [source, message] : cases) {
        const Result r =
            AssembleSource("test.asm", " org $1000\n" + std::string(source) + "\n", Image(0x1000, 0xF000));
        EXPECT_TRUE(r.image.empty()) << source;
        ASSERT_FALSE(r.errors.empty()) << source;
        EXPECT_EQ(r.errors[0], "test.asm:" + std::string(message)) << source;
        EXPECT_EQ(r.errors.size(), 1u) << source << "\n" << r.errors.back();
    }
}

TEST(Asm6809, ReportsEveryErrorInSourceOrder) {
    std::string source = " org $1000\n"
                         " lda fwd_undefined\n" // found in pass 2
                         " bogus\n"             // found while parsing
                         "dup nop\n"
                         "dup nop\n"; // found in pass 1
    for (int i = 0; i < 120; ++i)
        source += " lda #300\n";
    const Result r = AssembleSource("t.asm", source, Image(0x1000, 0x1000));
    ASSERT_EQ(r.errors.size(), 101u);
    EXPECT_EQ(r.errors[0], "t.asm:2: undefined symbol 'fwd_undefined'");
    EXPECT_EQ(r.errors[1], "t.asm:3: unknown mnemonic 'bogus'");
    EXPECT_EQ(r.errors[2], "t.asm:5: symbol 'dup' already defined at t.asm:4");
    EXPECT_EQ(r.errors[3], "t.asm:6: immediate value 300 out of range -128..255");
    EXPECT_EQ(r.errors[100], "... and 23 more errors");
}

TEST(Asm6809, RejectsImagesOutsideTheAddressSpace) {
    for (const auto& [base, size] : {std::pair{0x8000u, 0x8001u}, {0x10000u, 1u}, {0u, 0u}}) {
        const Result r = AssembleSource("t.asm", " nop\n", Image(base, size));
        ASSERT_EQ(r.errors.size(), 1u);
        EXPECT_NE(r.errors[0].find("does not fit"), std::string::npos);
    }
    EXPECT_TRUE(AssembleSource("t.asm", " org $FFFF\n nop\n", Image(0, 0x10000)).errors.empty());
}

} // namespace
