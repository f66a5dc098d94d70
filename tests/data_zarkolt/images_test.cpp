// The embedded game data images: sizes as the manifests say, the fixed bytes
// and routines the host relies on, the program sums, the value ranges of the
// PROMs and samples, and the checks that stop a build with wrong images.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "cpu/z80/z80.h"
#include "data/zarkolt/zarkolt_data.h"
#include "tests/common/manifest.h"

namespace {

// The images' fields, in the manifests' order.
struct Field {
    const char* name;
};

const Field Fields[] = {
    {"cpu1"},      {"cpu2"},         {"cpu3"},          {"characters"},
    {"tilesA"},    {"tilesB"},       {"sprites1"},      {"sprites2"},
    {"sprites3"},  {"spritePlane3"}, {"tileColorProm"}, {"spriteColorProm"},
    {"redProm"},   {"greenProm"},    {"blueProm"},      {"waveProm"},
    {"lookupMap"}, {"lookupFlags"},  {"lookupResultA"}, {"lookupResultB"},
    {"sample0"},   {"sample1"},      {"sample2"},
};

// An image of an edition by its field name.
ImageSpan Image(std::span<const ImageSpan> images, const std::string& name) {
    for (size_t i = 0; i < std::size(Fields); i++)
        if (name == Fields[i].name) return images[i];
    ADD_FAILURE() << "no image " << name;
    return {};
}

// Both editions with their manifests.
struct Edition {
    const char* name;
    std::span<const ImageSpan> images;
    const char* manifest;
    uint16_t load, routine, table, save, saveTarget;
};

std::vector<Edition> Editions() {
    return {{"ZARKOLT", ZarkoltData(), ZARKOLT_MANIFEST, 0x04A4, 0x10D9, 0x10F0, 0x126F, 0x064E},
            {"SUPER ZARKOLT", SuperZarkoltData(), SUPERZAR_MANIFEST, 0x04BF, 0x1107, 0x111E, 0x12A0, 0x0669}};
}

unsigned Sum(ImageSpan bytes) {
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    return sum & 0xFF;
}

TEST(ZarkoltImages, EveryImageHasItsManifestSizeInStructOrder) {
    for (const Edition& edition : Editions()) {
        std::vector<manifest::Entry> entries = manifest::Read(edition.manifest);
        ASSERT_EQ(entries.size(), std::size(Fields)) << edition.name;
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].field, Fields[i].name) << edition.name;
            EXPECT_EQ(edition.images[i].size(), entries[i].size) << edition.name << " " << entries[i].file;
        }
    }
    // The sizes of the board's tables.
    std::span<const ImageSpan> z = ZarkoltData();
    EXPECT_EQ(Image(z, "cpu1").size(), 16384u);
    EXPECT_EQ(Image(z, "cpu2").size(), 8192u);
    EXPECT_EQ(Image(z, "cpu3").size(), 4096u);
    EXPECT_EQ(Image(z, "sample0").size(), 20850u);
    EXPECT_EQ(Image(z, "sample1").size(), 38710u);
    EXPECT_EQ(Image(z, "sample2").size(), 11400u);
}

TEST(ZarkoltImages, EditionsShareAllButTheirTwoPrograms) {
    std::span<const ImageSpan> z = ZarkoltData();
    std::span<const ImageSpan> s = SuperZarkoltData();
    for (const Field& field : Fields) {
        ImageSpan a = Image(z, field.name), b = Image(s, field.name);
        bool same = a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
        bool own = std::string(field.name) == "cpu1" || std::string(field.name) == "cpu2";
        EXPECT_EQ(same, !own) << field.name;
    }
}

TEST(ZarkoltImages, HighScorePlacesHoldTheInstructionsTheTrapsReplace) {
    for (const Edition& edition : Editions()) {
        ImageSpan rom = Image(edition.images, "cpu1");
        const uint8_t call[3] = {0xCD, uint8_t(edition.routine), uint8_t(edition.routine >> 8)};
        const uint8_t jump[3] = {0xC3, uint8_t(edition.saveTarget), uint8_t(edition.saveTarget >> 8)};
        EXPECT_EQ(std::memcmp(&rom[edition.load], call, 3), 0) << edition.name;
        EXPECT_EQ(std::memcmp(&rom[edition.save], jump, 3), 0) << edition.name;
    }
    // Only ZARKOLT's places in ZARKOLT and only SUPER ZARKOLT's in its ROM.
    EXPECT_NE(Image(SuperZarkoltData(), "cpu1")[0x04A4], 0xCD);
    EXPECT_NE(Image(ZarkoltData(), "cpu1")[0x04BF], 0xCD);
}

// A Z80 with all 64 KB as RAM: the default-copy routine runs on it.
uint8_t Memory[0x10000];

TEST(ZarkoltImages, DefaultCopyRoutineOnlyCopiesTheDefaultTable) {
    Z80BuildFlagTables();
    for (const Edition& edition : Editions()) {
        std::memset(Memory, 0xA5, sizeof Memory);
        std::memcpy(Memory, Image(edition.images, "cpu1").data(), 0x4000);
        Z80Context cpu{};
        Z80InitPageTables(&cpu);
        for (int page = 0; page < 256; ++page)
            cpu.pages[page] = {Memory + page * 256, RamWrite};
        Z80Reset(&cpu);
        cpu.SP = 0xF000;
        Memory[0xEFFE] = 0x00; // returns to 0xFF00, where a HALT waits
        Memory[0xEFFF] = 0xFF;
        Memory[0xFF00] = 0x76;
        cpu.SP = 0xEFFE;
        cpu.PC = edition.routine;
        static uint8_t before[0x10000];
        std::memcpy(before, Memory, sizeof Memory);
        int steps = 0;
        while (cpu.running && steps < 10000) {
            Z80Run(1, &cpu, 1);
            ++steps;
            // The routine stays inside its 23 bytes until it returns.
            if (cpu.running && cpu.PC != 0xFF01 && cpu.PC != 0xFF00) {
                ASSERT_TRUE(cpu.PC >= edition.routine && cpu.PC < edition.routine + 23)
                    << edition.name << " PC " << std::hex << cpu.PC;
            }
        }
        ASSERT_EQ(cpu.PC, 0xFF01) << edition.name;
        for (unsigned a = 0; a < 0x10000; ++a) {
            bool first = a >= 0x8024 && a <= 0x8026, second = a >= 0x8510 && a <= 0x855F;
            bool stack = a >= 0xEFF0 && a < 0xF000;
            if (first) {
                ASSERT_EQ(Memory[a], Image(edition.images, "cpu1")[edition.table + a - 0x8024])
                    << std::hex << a;
            } else if (second) {
                ASSERT_EQ(Memory[a], Image(edition.images, "cpu1")[edition.table + 3 + a - 0x8510])
                    << std::hex << a;
            } else if (!stack) {
                ASSERT_EQ(Memory[a], before[a]) << edition.name << " wrote " << std::hex << a;
            }
        }
        // The defaults are a descending table of ten entries under a top score equal to the first.
        const uint8_t* table = &Image(edition.images, "cpu1")[edition.table];
        EXPECT_EQ(std::memcmp(table, table + 3, 3), 0);
        for (int i = 1; i < 10; ++i)
            EXPECT_LE(std::memcmp(table + 3 + 8 * i, table + 3 + 8 * (i - 1), 3), 0);
    }
}

TEST(ZarkoltImages, ProgramSumsAreZeroAndTheTrapPatchesKeepThem) {
    for (const Edition& edition : Editions()) {
        EXPECT_EQ(Sum(Image(edition.images, "cpu1")), 0u) << edition.name;
        EXPECT_EQ(Sum(Image(edition.images, "cpu2")), 0u) << edition.name;
        EXPECT_EQ(Sum(Image(edition.images, "cpu3")), 0u) << edition.name;
    }
    // The host's patches have the sums of the bytes they replace.
    EXPECT_EQ((0xFD + 0x00 + 0xB9) & 0xFF, (0xCD + 0xD9 + 0x10) & 0xFF);
    EXPECT_EQ((0xFD + 0x00 + 0x1A) & 0xFF, (0xC3 + 0x4E + 0x06) & 0xFF);
    EXPECT_EQ((0xFD + 0x00 + 0xE8) & 0xFF, (0xCD + 0x07 + 0x11) & 0xFF);
    EXPECT_EQ((0xFD + 0x00 + 0x35) & 0xFF, (0xC3 + 0x69 + 0x06) & 0xFF);
}

TEST(ZarkoltImages, PromsAndSamplesStayInTheirRanges) {
    std::span<const ImageSpan> z = ZarkoltData();
    for (ImageSpan prom :
         {Image(z, "redProm"), Image(z, "greenProm"), Image(z, "blueProm"), Image(z, "waveProm")})
        for (uint8_t v : prom)
            EXPECT_LE(v, 15);
    for (uint8_t v : Image(z, "tileColorProm"))
        EXPECT_LT(v, 64);
    for (size_t i = 0; i < Image(z, "spriteColorProm").size(); ++i) {
        EXPECT_LT(Image(z, "spriteColorProm")[i], 128) << i;
        if (i % 8 == 0) {
            EXPECT_EQ(Image(z, "spriteColorProm")[i], 0) << "set " << i / 8 << " pixel 0 must be transparent";
        }
    }
    for (ImageSpan sample : {Image(z, "sample0"), Image(z, "sample1"), Image(z, "sample2")}) {
        int peak = 0;
        for (size_t i = 0; i + 1 < sample.size(); i += 2) {
            int v = int16_t(sample[i] | sample[i + 1] << 8);
            ASSERT_LE(std::abs(v), 4095);
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_GT(peak, 1000); // audible
    }
    // Every colour of the palette's first half is a different mix.
    for (int i = 0; i < 64; ++i)
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(Image(z, "redProm")[i] == Image(z, "redProm")[j] &&
                         Image(z, "greenProm")[i] == Image(z, "greenProm")[j] &&
                         Image(z, "blueProm")[i] == Image(z, "blueProm")[j]);
}

TEST(ZarkoltImages, EmbeddedImagesAreTheOnesBuiltHereUnlessTheUserBringsHisOwn) {
    std::filesystem::path own = ZARKOLT_OWN_IMAGES;
    if (std::string(USER_IMAGES).size() > 0) GTEST_SKIP() << "built with the user's own images";
    for (const Edition& edition : Editions())
        for (size_t i = 0; const manifest::Entry& entry : manifest::Read(edition.manifest)) {
            std::ifstream in(own / entry.file, std::ios::binary);
            std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            ImageSpan image = edition.images[i++];
            ASSERT_EQ(file.size(), image.size()) << entry.file;
            EXPECT_EQ(std::memcmp(file.data(), image.data(), file.size()), 0) << entry.file;
        }
}

// The packer's check, which also guards the embedding step: a missing image or
// one of the wrong size is named with its expected size.
TEST(ZarkoltImages, UserImageCheckNamesTheFileAndItsSize) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "zarkolt_user_images";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const manifest::Entry& entry : manifest::Read(ZARKOLT_MANIFEST)) {
        std::ofstream out(dir / entry.file, std::ios::binary);
        std::string bytes(entry.file == "chars.rom" ? entry.size - 1 : entry.size, '\0');
        if (entry.file != "wave.prom") out << bytes;
    }
    std::filesystem::remove(dir / "wave.prom");
    std::string log = (dir / "log.txt").string();
    std::string command =
        std::string(DATAPACK) + " check " + ZARKOLT_MANIFEST + " " + dir.string() + " 2> " + log;
    EXPECT_NE(std::system(command.c_str()), 0);
    std::ifstream in(log);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("wave.prom is missing"), std::string::npos) << text;
    EXPECT_NE(text.find("expected 256 bytes"), std::string::npos) << text;
    EXPECT_NE(text.find("chars.rom has 2047 bytes, expected 2048 bytes"), std::string::npos) << text;
    // With every image right the check passes.
    std::ofstream(dir / "chars.rom", std::ios::binary) << std::string(2048, '\0');
    std::ofstream(dir / "wave.prom", std::ios::binary) << std::string(256, '\0');
    command = std::string(DATAPACK) + " check " + ZARKOLT_MANIFEST + " " + dir.string();
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::filesystem::remove_all(dir);
}

// Bad input to the packer stops it with a message that names the input; it
// never crashes or allocates without bound.
TEST(ZarkoltImages, PackerRefusesBadInput) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "zarkolt_bad_input";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    auto write = [&](const char* name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    };
    std::string empty = write("empty.bin", "");
    std::string palette = write("palette.txt", "00: 000 \"\" 00A\n");
    std::string sets = write("sets.txt", "# sets\n  0: 0 1 \"\" 3\n");
    std::string card = write("card.canvas", "canvas 8 8 8\nfont font.art\ntext 0 0 1 1 \"\"\n");
    std::string good = write("good.txt", [] { // a whole palette
        std::string text;
        for (int i = 0; i < 128; ++i)
            text += "000\n";
        return text;
    }());
    std::string outs =
        " " + (dir / "r").string() + " " + (dir / "g").string() + " " + (dir / "b").string() + " t s";
    std::string font = write(
        "font.art", "@ 10\n........\n........\n........\n........\n........\n........\n........\n........\n");
    std::string smallFont = write("small.art", "@ 10 2x2\n##\n##\n");
    write("sprite.art", "@ 0 2x2\n12\n31\n");
    write("spritesets.txt", "0 1 2 3 4 5 6 7\n");
    // A canvas, picture list or lane map of the given lines, and the command
    // that draws it.
    auto canvas = [&](const char* name, const std::string& text) {
        return "canvas " + write(name, text) + " " + (dir / "out.bmp").string();
    };
    auto pictures = [&](const char* name, const std::string& text, const std::string& with = "") {
        return "dollix-pictures " + write(name, text) + " " + (with.empty() ? font : with) + " " +
               (dir / "out.bin").string();
    };
    auto lanes = [&](const char* name, const std::string& text) {
        return "lookup " + empty + " " + write(name, text) + " o1 o2 o3 o4";
    };
    const std::string sprites = "sprites sprite.art sprite.art spritesets.txt\n";
    const struct {
        std::string args, message;
    } cases[] = {
        // Sizes and words.
        {"rom " + empty + " 0", "size 0 is not between 1 and 38710 bytes"},
        {"rom " + empty + " 4000000000", "size 4000000000 is not between 1 and 38710 bytes"},
        {"rom " + empty + " 38711", "size 38711 is not"},
        {"colours " + palette + " " + sets + " " + sets + outs, "palette.txt:1: an empty word"},
        {"colours " + good + " " + sets + " " + sets + outs, "sets.txt:2: an empty word"},
        {"canvas " + card + " " + (dir / "card.bmp").string(), "card.canvas:3: an empty word"},
        // Canvases: the bits a pixel before they size the colour table, the
        // picture's size before it is multiplied, entries and sets in their
        // tables, characters of the font's own size.
        {canvas("c1.canvas", "canvas 8 8 40\n"), "c1.canvas:1: 40 is not between 4 and 8"},
        {canvas("c2.canvas", "canvas 8 8 8 257\n"), "c2.canvas:1: 257 is not between 1 and 256"},
        {canvas("c3.canvas", "canvas 65536 65536 8\n"), "c3.canvas:1: 65536 is not between 1 and 1024"},
        {canvas("c4.canvas", "canvas 8 8 8\npalette good.txt\ngamepalette 250 0 128\n"),
         "c4.canvas:3: 128 is not between 0 and 6"},
        {canvas("c5.canvas", "canvas 8 8 8\ncolour 256 FFFFFF\n"),
         "c5.canvas:2: 256 is not between 0 and 255"},
        {canvas("c6.canvas", "canvas 8 8 8\nfont small.art\n"), "small.art:1: characters are 8x8"},
        {canvas("c7.canvas", "canvas 8 8 8\nfont font.art\ntext 0 0 1 1 \"A~\"\n"),
         "c7.canvas:3: no character for '~'"},
        {canvas("c8.canvas", "canvas 8 8 8\nfont font.art\ntext 0 0 1 100000 \"A\"\n"),
         "c8.canvas:3: 100000 is not between 1 and 64"},
        {canvas("c9.canvas", "canvas 8 8 8\n" + sprites + "sprite 0 0 1 0 1 1 0\n"),
         "c9.canvas:3: 1 is not between 0 and 0"},
        {canvas("c10.canvas", "canvas 8 8 8\n" + sprites + "sprite 0 0 1 0 0 1 253\n"),
         "c10.canvas:3: colour set 0 gives pen 3 no entry"},
        {canvas("c11.canvas", "canvas 8 8 8\nrect 0 0 8 -2147483648 1\n"),
         "c11.canvas:2: -2147483648 is not"},
        // Pictures: sizes that fit their bytes, no size 0 to divide by, no
        // product that overflows.
        {pictures("p1.txt", "picture 2088 -1 4\n"), "p1.txt:1: -1 is not between 1 and 255"},
        {pictures("p2.txt", "picture 2088 256 4\n"), "p2.txt:1: 256 is not between 1 and 255"},
        {pictures("p3.txt", "picture 0 4 4\n"), "p3.txt:1: 0 is not between 2088 and"},
        {pictures("p4.txt", "picture 2088 4 4\nchecker 0 0 4 4 0 1 2\n"),
         "p4.txt:2: 0 is not between 1 and 1024"},
        {pictures("p5.txt", "picture 2088 4 4\ndisc 0 0 100000 1\n"),
         "p5.txt:2: 100000 is not between 0 and 1024"},
        {pictures("p6.txt", "picture 2088 4 4\ntext 0 0 1 1 \"A\"\n", smallFont),
         "small.art:1: characters are 8x8"},
        {pictures("p7.txt", "picture 2088 4 4\ntext 0 0 1 1 \"~\"\n"), "p7.txt:2: no character '~'"},
        // Lane maps: metatile numbers and repeats in range.
        {lanes("m1.txt", "legend a 600\n"), "m1.txt:1: 600 is not between 0 and 511"},
        {lanes("m2.txt", "legend a -1\n"), "m2.txt:1: -1 is not between 0 and 511"},
        {lanes("m3.txt", "lane 0\naaaaaaaaaaaaaaaa *0\n"), "m3.txt:2: 0 is not between 1 and 128"},
    };
    for (const auto& c : cases) {
        std::string log = (dir / "log.txt").string();
        int status = std::system((std::string(DATAPACK) + " " + c.args + " 2> " + log).c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << c.args;
        std::ifstream in(log);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find(c.message), std::string::npos) << c.args << ": " << text;
    }
    // A good size still pads the program.
    EXPECT_EQ(std::system((std::string(DATAPACK) + " rom " + empty + " 16").c_str()), 0);
    EXPECT_EQ(std::filesystem::file_size(empty), 16u);
    std::filesystem::remove_all(dir);
}

// The instruction cards: each edition its own, 168 x 264 in 255 colours, and
// nothing drawn on the frame or in the two-pixel margin inside it.
TEST(ZarkoltImages, CardsKeepTheirDrawingsInsideTheFrame) {
    std::vector<std::vector<uint8_t>> pixels;
    for (const char* path : {ZARKOLT_CARD, SUPERZAR_CARD}) {
        std::ifstream in(path, std::ios::binary);
        std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bmp.size(), 54u) << path;
        auto u32 = [&](size_t at) {
            return uint32_t(bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | bmp[at + 3] << 24);
        };
        ASSERT_EQ(u32(18), 168u);
        ASSERT_EQ(u32(22), 264u);
        ASSERT_EQ(bmp[28], 8);
        ASSERT_EQ(u32(46), 255u);
        std::vector<uint8_t> card(168 * 264);
        for (int y = 0; y < 264; ++y) // bottom-up rows
            std::copy_n(&bmp[u32(10) + size_t(263 - y) * 168], 168, &card[size_t(y) * 168]);
        // The frame (x 8-159, y 8-255) and the margin inside it: one colour each.
        for (int y = 8; y < 256; ++y)
            for (int x = 8; x < 160; ++x) {
                int ring = std::min({x - 8, y - 8, 159 - x, 255 - y});
                if (ring == 0) {
                    EXPECT_EQ(card[y * 168 + x], card[8 * 168 + 8]) << path << " frame at " << x << "," << y;
                } else if (ring <= 2) {
                    EXPECT_EQ(card[y * 168 + x], card[9 * 168 + 9]) << path << " margin at " << x << "," << y;
                }
            }
        pixels.push_back(card);
    }
    EXPECT_NE(pixels[0], pixels[1]);
}

} // namespace
