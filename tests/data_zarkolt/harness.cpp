// Headless runs of our game data on the ZARKOLT board (see harness.h).
#include "harness.h"

#include <png.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "boards/superzar/superzar.h"
#include "boards/zarkolt/embedded_data.h"
#include "frame/highscore.h"

namespace harness {

TrapLog Traps;
SoundLog Sounds;

namespace {

// A sound device that only counts what it is asked to play.
void NoLock() {}
uint32_t Status(int) {
    return 0;
}
zarkolt::PlayResult Play(int buffer, bool) {
    if (buffer >= zarkolt::SampleBuffer0 && buffer < zarkolt::SampleBuffer0 + 3)
        ++Sounds.samplePlays[buffer - zarkolt::SampleBuffer0];
    if (buffer >= zarkolt::VoiceBuffer0 && buffer < zarkolt::VoiceBuffer0 + 3)
        ++Sounds.voicePlays[buffer - zarkolt::VoiceBuffer0];
    return zarkolt::PlayResult::Ok;
}
void Buffer(int) {}
bool Fill(int, const void*, uint32_t) {
    return true;
}
void Set(int, uint32_t) {}
void SetVolume(int, int32_t) {}
const zarkolt::SoundSeam Recorder = {
    zarkolt::SoundBufferIds, NoLock, NoLock, Status, Play, Buffer, Buffer, Fill, Set, Set, SetVolume};

bool Super = false;

const frame::HighScoreTraps& Places() {
    return Super ? frame::SuperZarkoltTraps : frame::ZarkoltTraps;
}

// Stands in for the host's traps: counts the loads and saves, loads the
// built-in table and keeps what was saved.
void Hook(Z80Context* context, uint16_t address, int) {
    if (context != &zarkolt::Cpus[zarkolt::Cpu1]) return;
    const frame::HighScoreTraps& places = Places();
    if (address == places.loadAddress) {
        ++Traps.loads;
        std::memcpy(zarkolt::Ram(0x8024), zarkolt::Cpu1Rom + places.defaultTable, 3);
        std::memcpy(zarkolt::Ram(0x8510), zarkolt::Cpu1Rom + places.defaultTable + 3, 80);
        context->PC = places.loadReturn;
    } else if (address == places.saveAddress) {
        ++Traps.saves;
        Traps.saved.assign(zarkolt::Ram(0x8024), zarkolt::Ram(0x8024) + 3);
        Traps.saved.insert(Traps.saved.end(), zarkolt::Ram(0x8510), zarkolt::Ram(0x8510) + 80);
        context->PC = places.saveReturn;
    }
}

void Patch(uint16_t address) {
    std::array<uint8_t, 3> patch = frame::TrapPatch(zarkolt::Cpu1Rom + address);
    std::memcpy(zarkolt::Cpu1Rom + address, patch.data(), patch.size());
}

} // namespace

void Start(const Options& options) {
    Super = options.super;
    Traps = {};
    Sounds = {};
    const ZarkoltImages& images = options.super ? SuperZarkoltData() : ZarkoltData();
    static zarkolt::GameData data;
    data = zarkolt::GameDataOf(images);
    zarkolt::BuildBoard(data, options.super ? superzar::SuperZarkoltEdition : zarkolt::ZarkoltEdition);
    Z80SetTrapHook(NullTrapHook);
    if (options.traps) {
        Patch(Places().loadAddress);
        Patch(Places().saveAddress);
        Z80SetTrapHook(Hook);
    }
    zarkolt::Sound = &Recorder;
    zarkolt::SoundMute = 0;
    zarkolt::ApplyDipSwitches(options.dips);
    zarkolt::InputState = {};
    if (options.testMode) {
        zarkolt::IoReplyPage[0] |= 0x80;
        zarkolt::InputState.testMode = 1;
    }
    zarkolt::ResetMachine();
}

void RunFrames(int count) {
    zarkolt::FrameHooks hooks{};
    for (int i = 0; i < count; ++i)
        zarkolt::RunFrame(hooks);
}

void SetInput(uint8_t input) {
    zarkolt::InputState.input = input;
}

void AddCoin() {
    unsigned c = zarkolt::InputState.credits;
    unsigned value = (c >> 4) * 10 + (c & 15);
    if (value < 99) ++value;
    zarkolt::InputState.credits = static_cast<uint16_t>((value / 10) << 4 | value % 10);
}

bool PressStart(int players) {
    if (ReadRam(0x8023) != 0) return false;
    unsigned c = zarkolt::InputState.credits;
    unsigned value = (c >> 4) * 10 + (c & 15);
    if (value < static_cast<unsigned>(players)) return false;
    value -= players;
    zarkolt::InputState.credits = static_cast<uint16_t>((value / 10) << 4 | value % 10);
    return true;
}

uint8_t ReadRam(uint16_t address) {
    return *zarkolt::Ram(address);
}

std::vector<uint8_t> Picture() {
    std::vector<uint8_t> picture(Width * Height);
    for (int y = 0; y < Height; ++y)
        std::memcpy(&picture[y * Width], zarkolt::FrameBuffer + (y + 16) * zarkolt::FrameWidth + 16, Width);
    return picture;
}

static bool WritePngRows(const std::string& path, int colourType, int channels,
                         const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, Width, Height, 8, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < Height; ++y)
        png_write_row(png, const_cast<png_bytep>(&bytes[static_cast<size_t>(y) * Width * channels]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return true;
}

bool WritePng(const std::string& path, const std::vector<uint8_t>& picture) {
    std::vector<uint8_t> rgb;
    for (uint8_t pen : picture) {
        zarkolt::PaletteEntry e = pen >= 0x70 && pen < 0xF0 ? zarkolt::GamePalette[pen - 0x70]
                                                            : zarkolt::PaletteEntry{255, 0, 255, 0};
        rgb.insert(rgb.end(), {e.red, e.green, e.blue});
    }
    return WritePngRows(path, PNG_COLOR_TYPE_RGB, 3, rgb);
}

bool WritePenPng(const std::string& path, const std::vector<uint8_t>& picture) {
    return WritePngRows(path, PNG_COLOR_TYPE_GRAY, 1, picture);
}

bool ReadPenPng(const std::string& path, std::vector<uint8_t>& picture) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    bool good = png_get_image_width(png, info) == Width && png_get_image_height(png, info) == Height &&
                png_get_color_type(png, info) == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) == 8;
    if (good) {
        picture.assign(Width * Height, 0);
        for (int y = 0; y < Height; ++y)
            png_read_row(png, &picture[static_cast<size_t>(y) * Width], nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return good;
}

} // namespace harness
