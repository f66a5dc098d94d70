// The headless runner: its script and options, the PNG writer, and whole
// runs on synthetic game data written into a directory.
#include <png.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/zarkolt/support.h"
#include "tools/boardrun/boardrun.h"
#include "tools/png/png_file.h"

namespace zarkolt_test {
namespace {

using namespace zarkolt;

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

struct ReadPicture {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[size_t(y * width + x)]; }
};

bool ReadPng(const std::string& path, ReadPicture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = int(image.width);
    picture.height = int(image.height);
    picture.pixels.resize(image.width * image.height);
    return png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr) != 0;
}

int RunBoard(std::vector<std::string> args) {
    args.insert(args.begin(), "boardrun");
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    return boardrun::Main(int(argv.size()), argv.data());
}

TEST(BoardRunScript, ParsesLinesAndRefusesBadOnes) {
    std::istringstream good("# frame keys coins\n0 - 2\n\n10 up,b1   # fire\n20 start1,left 1\n");
    std::vector<boardrun::ScriptLine> lines;
    std::string error;
    ASSERT_TRUE(boardrun::ParseScript(good, lines, error)) << error;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].coins, 2u);
    EXPECT_TRUE(lines[0].keys.empty());
    EXPECT_EQ(lines[1].frame, 10);
    EXPECT_EQ(lines[1].keys, (std::vector<std::string>{"up", "b1"}));
    EXPECT_EQ(lines[2].keys, (std::vector<std::string>{"start1", "left"}));
    for (const char* bad :
         {"x up\n", "5\n", "5 up z\n", "5 up 1 2\n", "-1 up\n", "5 up\n5 down\n", "6 up\n5 down\n"}) {
        std::istringstream in(bad);
        lines.clear();
        EXPECT_FALSE(boardrun::ParseScript(in, lines, error)) << bad;
    }

    boardrun::Options options;
    const char* args[] = {"boardrun", "--frames", "12", "--rotated", "--png", "a.png", "--voices", "-"};
    ASSERT_TRUE(boardrun::ParseOptions(8, args, options, error));
    EXPECT_EQ(options.frames, 12);
    EXPECT_TRUE(options.rotated);
    EXPECT_EQ(options.pngFile, "a.png");
    const char* badArgs[] = {"boardrun", "--frames", "many"};
    EXPECT_FALSE(boardrun::ParseOptions(3, badArgs, options, error));
    const char* unknown[] = {"boardrun", "--fast"};
    EXPECT_FALSE(boardrun::ParseOptions(2, unknown, options, error));
}

TEST(BoardRunPng, WritesThePaletteImage) {
    uint8_t pixels[3 * 5] = {0, 1, 2, 0, 0, 2, 2, 2, 0, 0, 1, 1, 1, 0, 0};
    png_file::RgbPalette palette = {{{0, 0, 0}, {255, 0, 0}, {10, 20, 30}}};
    std::string error;
    ASSERT_TRUE(png_file::WritePalettePng("writer.png", {pixels, 3, 4, 4}, palette, error)) << error;
    ReadPicture picture;
    ASSERT_TRUE(ReadPng("writer.png", picture));
    EXPECT_EQ(picture.width, 3);
    EXPECT_EQ(picture.height, 4);
    EXPECT_EQ(picture.At(1, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(picture.At(2, 0), (Rgb{10, 20, 30}));
    EXPECT_EQ(picture.At(1, 1), (Rgb{10, 20, 30})); // rows follow the pitch of 4
    EXPECT_EQ(picture.At(2, 3), (Rgb{0, 0, 0}));
    EXPECT_FALSE(png_file::WritePalettePng("no/such/dir/x.png", {pixels, 3, 4, 4}, palette, error));
}

// CPU 1 fills the background codes with 1 and the characters with the blank
// code, puts sprite 0 at X 100, Y 150 in colour 1 and halts.
const std::initializer_list<uint8_t> Scene = {
    0x21, 0x00, 0xC8, 0x11, 0x01, 0xC8, 0x01, 0xFF, 0x07, 0x36, 0x01, 0xED, 0xB0, 0x21,
    0x00, 0xC0, 0x11, 0x01, 0xC0, 0x01, 0xFF, 0x07, 0x36, 0x24, 0xED, 0xB0, 0x3E, 0x64,
    0x32, 0x80, 0x87, 0x3E, 0x96, 0x32, 0x81, 0x87, 0x3E, 0x01, 0x32, 0x81, 0xA7, 0x76};

class BoardRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Place(images[&GameData::cpu1], 0, Scene);
        // Tile 1: plane A stripes; tile colour set 0 entries 0-3 pens 0x70-0x73.
        for (int j = 0; j < 8; j++)
            images[&GameData::tilesA][8 + j] = 0xF0;
        Place(images[&GameData::tileColorProm], 0, {0, 1, 2, 3});
        // Sprite 0 of set 2: every pixel value 1, colour 1 entry 1 -> pen 0x74.
        for (int b = 0; b < 64; b++)
            images[&GameData::sprites2][b] = 0x0F;
        images[&GameData::spriteColorProm][1 * 8 + 1] = 4;
        Place(images[&GameData::redProm], 0, {0x0, 0x0, 0xF, 0x0, 0xF});
        Place(images[&GameData::greenProm], 0, {0x0, 0x0, 0x0, 0x0, 0xF});
        Place(images[&GameData::blueProm], 0, {0x0, 0x0, 0x0, 0x0, 0x0});
        // A directory per test: CTest runs the tests of this file in parallel.
        dir = std::string("boardrun_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(dir);
        for (size_t i = 0; i < std::size(ImageSlots); i++) {
            std::ofstream out(dir + "/" + ImageSlots[i].name, std::ios::binary);
            out.write(reinterpret_cast<const char*>(images.bytes[i].data()),
                      std::streamsize(images.bytes[i].size()));
        }
    }
    void TearDown() override { Sound = nullptr; }
    SyntheticImages images;
    std::string dir;
    std::string File(const char* name) const { return dir + "/" + name; }
};

TEST_F(BoardRunTest, WritesThePictureOfSyntheticGraphics) {
    ASSERT_EQ(RunBoard({"--data", dir, "--frames", "3", "--png", File("upright.png"), "--voices",
                        File("voices.txt")}),
              0);
    ReadPicture upright;
    ASSERT_TRUE(ReadPng(File("upright.png"), upright));
    ASSERT_EQ(upright.width, 224);
    ASSERT_EQ(upright.height, 288);
    // The striped tile: red where plane A is set, black elsewhere.
    int red = 0;
    for (const Rgb& pixel : upright.pixels)
        red += pixel == Rgb{255, 0, 0};
    EXPECT_GT(red, 224 * 288 / 3);
    // The sprite: column 101, top row 126 of the frame buffer.
    EXPECT_EQ(upright.At(101 - 16, 126 - 16), (Rgb{255, 255, 0}));
    EXPECT_EQ(upright.At(116 - 16, 141 - 16), (Rgb{255, 255, 0}));
    EXPECT_NE(upright.At(117 - 16, 141 - 16), (Rgb{255, 255, 0}));

    std::ifstream voices(File("voices.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(voices, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "2 v0=off v1=off v2=off samples=-");

    ASSERT_EQ(RunBoard({"--data", dir, "--frames", "3", "--png", File("rotated.png"), "--rotated"}), 0);
    ReadPicture rotated;
    ASSERT_TRUE(ReadPng(File("rotated.png"), rotated));
    ASSERT_EQ(rotated.width, 288);
    ASSERT_EQ(rotated.height, 224);
    for (int y = 0; y < 288; y++)
        for (int x = 0; x < 224; x++)
            ASSERT_EQ(rotated.At(y, 223 - x), upright.At(x, y)) << x << "," << y;
}

TEST_F(BoardRunTest, ScriptGivesKeysCoinsAndStarts) {
    std::ofstream(File("script.txt")) << "0 right,b1 3\n1 start2\n2 start1,left\n";
    ASSERT_EQ(RunBoard({"--data", dir, "--frames", "3", "--input", File("script.txt")}), 0);
    EXPECT_EQ(InputState.credits, 0x00);
    EXPECT_EQ(InputState.input, InputLeft);
    std::ofstream(File("script.txt")) << "0 jump\n";
    EXPECT_EQ(RunBoard({"--data", dir, "--frames", "3", "--input", File("script.txt")}), 1);
}

TEST_F(BoardRunTest, RefusesMissingOrWrongData) {
    std::filesystem::resize_file(dir + "/" + ImageSlots[5].name, 10);
    EXPECT_EQ(RunBoard({"--data", dir, "--frames", "1"}), 1);
    std::filesystem::remove(dir + "/" + ImageSlots[5].name);
    EXPECT_EQ(RunBoard({"--data", dir, "--frames", "1"}), 1);
    EXPECT_EQ(RunBoard({"--board", "nonesuch", "--data", dir}), 1);
}

TEST(BoardRunBoards, EveryBoardOfTheTableRunsWithItsEmbeddedData) {
    for (const boards::BoardFace* face : boards::BoardTable)
        EXPECT_EQ(RunBoard({"--board", face->name, "--frames", "2"}), 0) << face->name;
}

#ifdef ZARKOLT_MANIFEST
TEST(BoardRunData, ImageNamesFollowTheManifest) {
    std::ifstream manifest(ZARKOLT_MANIFEST);
    ASSERT_TRUE(manifest);
    size_t i = 0;
    for (std::string line; std::getline(manifest, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name;
        size_t size;
        fields >> name >> size;
        ASSERT_LT(i, std::size(ImageSlots));
        EXPECT_EQ(name, ImageSlots[i].name);
        EXPECT_EQ(size, ImageSlots[i].size);
        i++;
    }
    EXPECT_EQ(i, std::size(ImageSlots));
}
#endif

} // namespace
} // namespace zarkolt_test
