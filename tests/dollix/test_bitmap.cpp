// The bitmap layer against an independent reference that expands a
// picture's runs into a list of pixels and places pixel k at row k / width,
// column k % width; the command screens against the command table written
// out again here; the flags and the handshake.
#include <algorithm>
#include <functional>
#include <random>

#include "tests/dollix/support.h"

namespace dollix_test {
namespace {

using namespace dollix;

using Plane = std::vector<uint8_t>;

void ReferencePicture(Plane& plane, const std::vector<uint8_t>& block, uint16_t source,
                      uint16_t destination) {
    auto byte = [&](unsigned offset) { return block[offset % block.size()]; };
    unsigned width = byte(source), height = byte(source + 1u);
    if (width == 0 || height == 0) return;
    std::vector<uint8_t> pixels;
    for (unsigned s = source + 2u; pixels.size() < width * height; s++) {
        unsigned length = byte(s) & 15 ? byte(s) & 15 : 16;
        pixels.insert(pixels.end(), length, uint8_t(byte(s) >> 4));
    }
    for (unsigned k = 0; k < width * height; k++)
        if (pixels[k]) plane[uint16_t(destination + 288 * (k / width) + k % width)] = pixels[k];
}

void ReferenceFill(Plane& plane, unsigned start, unsigned bytes, uint8_t pen) {
    std::fill(plane.begin() + start, plane.begin() + start + bytes, pen);
}

class BitmapTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        std::mt19937 random(5);
        for (uint8_t& pen : BitmapPlane)
            pen = uint8_t(random() & 15);
        reference.assign(BitmapPlane, BitmapPlane + sizeof BitmapPlane);
    }
    std::vector<uint8_t>& Block() { return images[&GameData::pictures]; }
    void Put(uint16_t offset, std::vector<uint8_t> bytes) {
        for (uint8_t b : bytes)
            Block()[offset++ & 0x7FFF] = b;
    }
    void ExpectPlane() {
        for (size_t i = 0; i < reference.size(); i++)
            ASSERT_EQ(BitmapPlane[i], reference[i]) << "offset " << i;
    }
    // The layer initialised and answered, as after the first frame.
    void Ready() {
        Ram[Handshake] = HandshakeReady;
        BitmapInitialised = 1;
    }
    Plane reference;
};

TEST_F(BitmapTest, PicturesAgainstTheReference) {
    struct Case {
        const char* what;
        uint16_t source, destination;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"runs ending at row ends", 2088, 0x0200, {4, 2, 0x14, 0x24}},
        {"a run carried into the next row", 2100, 0x0300, {3, 2, 0x15, 0x21}},
        {"length nibble 0 is 16", 2200, 0x0400, {16, 2, 0x30, 0x40}},
        {"pen 0 leaves the plane", 2300, 0x0500, {4, 1, 0x02, 0x52}},
        {"height 0 draws nothing", 2400, 0x0600, {5, 0, 0x15}},
        {"width 0 draws nothing", 2500, 0x0700, {0, 3, 0x15}},
        {"the plane wraps at 64 KB", 2600, 0xFFF0, {32, 3, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0}},
        {"reads past the block fold into it", 0x7FFE, 0x2000, {20, 2, 0xD4, 0xE0, 0xF0, 0x14}},
    };
    for (const Case& c : cases) {
        Put(c.source, c.bytes);
        Build();
        std::copy(reference.begin(), reference.end(), BitmapPlane);
        DrawPicture(c.source, c.destination);
        ReferencePicture(reference, Block(), c.source, c.destination);
        SCOPED_TRACE(c.what);
        ExpectPlane();
    }
    // The carried run by hand: rows 1 1 1 and 1 1 2.
    EXPECT_EQ(BitmapPlane[0x0300 + 288 + 1], 1);
    EXPECT_EQ(BitmapPlane[0x0300 + 288 + 2], 2);
    // Wrapped rows: 16 pixels at the end of the plane, 16 from offset 0.
    EXPECT_EQ(BitmapPlane[0xFFFF], 7);
    EXPECT_EQ(BitmapPlane[0x000F], 8);
}

TEST_F(BitmapTest, RandomPicturesAgainstTheReference) {
    std::mt19937 random(11);
    for (int i = 0; i < 300; i++) {
        uint16_t source = uint16_t(random() & 0x7FFE);
        uint16_t destination = uint16_t(random());
        unsigned width = 1 + random() % 60, height = random() % 12;
        std::vector<uint8_t> bytes = {uint8_t(width), uint8_t(height)};
        for (unsigned left = width * height; left > 0;) {
            uint8_t byte = uint8_t(random());
            unsigned length = byte & 15 ? byte & 15 : 16;
            bytes.push_back(byte);
            left -= std::min(left, length);
        }
        Put(source, bytes);
        GameImages.pictures.data = Block().data();
        DrawPicture(source, destination);
        ReferencePicture(reference, Block(), source, destination);
        SCOPED_TRACE(i);
        ExpectPlane();
    }
}

// The screens of commands 0-15, written out from the table of screens with
// a one-pixel marker picture at every source offset they use.
TEST_F(BitmapTest, EveryCommandScreen) {
    const uint16_t sources[] = {2088,  4602,  7216,  8654,  10130, 11176, 11358, 11598, 12870,
                                14088, 14868, 16184, 18088, 18994, 20964, 22522, 23860, 24398,
                                25458, 25974, 26792, 27382, 28130, 28596, 29570, 30906};
    const uint8_t markers[] = {1, 4, 6, 7, 8, 9, 11, 13};
    auto marker = [&](uint16_t source) {
        return markers[(std::find(std::begin(sources), std::end(sources), source) - sources) % 8];
    };
    for (uint16_t source : sources)
        Put(source, {1, 1, uint8_t(marker(source) << 4 | 1)});
    Build();

    auto whole = [](Plane& p, uint8_t pen) { ReferenceFill(p, 0x0200, 64512, pen); };
    auto middle = [](Plane& p, uint8_t pen) { ReferenceFill(p, 0x1400, 55296, pen); };
    auto bands = [](Plane& p, uint8_t pen = 14) {
        ReferenceFill(p, 0x0200, 4608, pen);
        ReferenceFill(p, 0xEC00, 4608, pen);
    };
    struct Screen {
        uint8_t penMap;
        std::function<void(Plane&)> fills;
        std::vector<std::pair<uint16_t, uint16_t>> pictures;
    };
    std::vector<std::pair<uint16_t, uint16_t>> grid;
    for (int j = 0; j < 6; j++)
        for (int i = 0; i < 9; i++)
            grid.push_back({11176, uint16_t(0x1400 + 32 * i + 9216 * j)});
    const Screen screens[16] = {
        {1, [&](Plane& p) { whole(p, 15); }, {{2088, 7440}, {4602, 7568}, {7216, 28176}, {8654, 26048}}},
        {0, [&](Plane& p) { bands(p), whole(p, 10); }, {{14088, 13788}, {14868, 37376}}},
        {0, [&](Plane& p) { bands(p); }, grid},
        {1, [&](Plane& p) { whole(p, 0); }, {}},
        {0,
         [&](Plane& p) {
             bands(p);
             ReferenceFill(p, 0x1400, 9216, 2);
             ReferenceFill(p, 0xC800, 9216, 5);
         },
         {{10130, 14336}, {10130, 14432}, {10130, 14528}}},
        {0,
         [&](Plane& p) { bands(p), middle(p, 12); },
         {{11358, 6016}, {14088, 13964}, {14868, 37552}, {11598, 28160}, {12870, 28240}}},
        {0,
         [&](Plane& p) { bands(p), middle(p, 12); },
         {{16184, 9152}, {18088, 10144}, {18994, 32768}, {20964, 32896}}},
        {0,
         [&](Plane& p) { bands(p), middle(p, 10); },
         {{22522, 19827}, {23860, 42864}, {24398, 10417}, {25458, 9920}, {25974, 37504}, {26792, 37568}}},
        {0,
         [&](Plane& p) { bands(p), middle(p, 12); },
         {{27382, 7472}, {28596, 32784}, {29570, 32864}, {30906, 32940}}},
        {0, [&](Plane& p) { bands(p, 3); }, {}},
        {0, [&](Plane& p) { bands(p); }, {}},
        {0, [&](Plane& p) { whole(p, 10); }, {{22522, 19811}, {23860, 42848}}},
        {0, [&](Plane& p) { bands(p), whole(p, 10); }, {{28596, 32772}}},
        {0, [&](Plane& p) { whole(p, 10); }, {{27382, 32772}}},
        {0, [&](Plane& p) { whole(p, 10); }, {{11358, 10596}}},
        {0, [&](Plane& p) { whole(p, 10); }, {{28130, 37380}}},
    };
    for (int n = 0; n < 16; n++) {
        SCOPED_TRACE(n);
        std::copy(reference.begin(), reference.end(), BitmapPlane);
        Ready();
        Ram[PenMapSelect] = uint8_t(1 - screens[n].penMap);
        Ram[CommandFlags + n] = 0x80;
        RunBitmapCommands();
        screens[n].fills(reference);
        for (auto [source, destination] : screens[n].pictures)
            ReferencePicture(reference, Block(), source, destination);
        ExpectPlane();
        EXPECT_EQ(Ram[PenMapSelect], screens[n].penMap);
        EXPECT_EQ(Ram[CommandFlags + n], 0);
        if (n == 2) { // the 54 places of the tile
            for (int j = 0; j < 6; j++)
                for (int i = 0; i < 9; i++)
                    EXPECT_EQ(BitmapPlane[0x1400 + 32 * i + 9216 * j], marker(11176));
        }
    }
}

TEST_F(BitmapTest, FlagsInOneFrame) {
    // Flags 3 and 0: command 0 draws, then command 3 clears; select ends at 1.
    Ready();
    Ram[CommandFlags + 0] = Ram[CommandFlags + 3] = 1;
    RunBitmapCommands();
    EXPECT_TRUE(std::all_of(BitmapPlane + 0x0200, BitmapPlane + 0xFE00, [](uint8_t p) { return p == 0; }));
    EXPECT_EQ(Ram[PenMapSelect], 1);
    EXPECT_EQ(Ram[CommandFlags + 0], 0);
    EXPECT_EQ(Ram[CommandFlags + 3], 0);

    // Flag 16 alone: cleared, nothing drawn, the select kept.
    std::copy(reference.begin(), reference.end(), BitmapPlane);
    Ram[PenMapSelect] = 7;
    Ram[CommandFlags + 16] = 1;
    RunBitmapCommands();
    EXPECT_EQ(Ram[CommandFlags + 16], 0);
    EXPECT_EQ(Ram[PenMapSelect], 7);
    ExpectPlane();

    // Flags 9 and 10 in ascending order: the bands end with pen 14.
    Ram[CommandFlags + 10] = Ram[CommandFlags + 9] = 1;
    RunBitmapCommands();
    EXPECT_EQ(BitmapPlane[0x0200], 14);
    EXPECT_EQ(BitmapPlane[0xFDFF], 14);
}

TEST_F(BitmapTest, ResetAndHandshake) {
    // The first frame after a build resets: 0x22, block cleared, visible layer 0.
    std::copy(reference.begin(), reference.end(), BitmapPlane);
    std::fill(Ram + 0x2800, Ram + 0x3000, 0x33);
    Ram[Handshake] = 0;
    Ram[CommandFlags + 5] = 1;
    RunBitmapCommands();
    EXPECT_EQ(BitmapInitialised, 1u);
    EXPECT_EQ(Ram[Handshake], HandshakeReady);
    EXPECT_EQ(Ram[0x2FFD], 0x33); // cleared only when the game asked
    EXPECT_TRUE(std::all_of(Ram + 0x2800, Ram + 0x2FFC, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(Ram[0x2FFF], 0x33);
    EXPECT_TRUE(std::equal(BitmapPlane, BitmapPlane + 0x0200, reference.begin())); // not shown, kept
    EXPECT_TRUE(std::all_of(BitmapPlane + 0x0200, BitmapPlane + 0xFE00, [](uint8_t p) { return p == 0; }));

    // The game's request takes two frames: the flags survive the first and
    // are cleared undrawn by the reset in the second.
    FillBitmap(6);
    Ram[Handshake] = HandshakeRequest;
    Ram[CommandFlags + 1] = Ram[CommandFlags + 16] = 1;
    RunBitmapCommands();
    EXPECT_EQ(BitmapInitialised, 0u);
    EXPECT_EQ(Ram[CommandFlags + 1], 1);
    EXPECT_EQ(BitmapPlane[0x0200], 6);
    RunBitmapCommands();
    EXPECT_EQ(BitmapInitialised, 1u);
    EXPECT_EQ(Ram[Handshake], HandshakeReady);
    EXPECT_EQ(Ram[0x2FFD], 0);
    EXPECT_EQ(Ram[0x2FFE], 0);
    EXPECT_EQ(Ram[CommandFlags + 1], 0);
    EXPECT_EQ(BitmapPlane[0x0200], 0);
    EXPECT_EQ(Ram[PenMapSelect], 0);

    // ServeBitmapCommands never resets; RunBitmapCommand serves one flag.
    BitmapInitialised = 0;
    Ram[CommandFlags + 9] = 1;
    ServeBitmapCommands();
    EXPECT_EQ(BitmapPlane[0x0200], 3);
    RunBitmapCommand(10);
    EXPECT_EQ(BitmapPlane[0x0200], 14);
}

} // namespace
} // namespace dollix_test
