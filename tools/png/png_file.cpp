// PNG files of board pictures through libpng.
#include "tools/png/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace png_file {

namespace {

// Writes the picture's rows with the given colour type; palette only for
// palette PNGs.
bool WriteRows(const std::string& path, const boards::Picture& picture, int colourType,
               const RgbPalette* palette) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8, colourType,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (palette) {
            png_color colours[256];
            for (int i = 0; i < 256; i++)
                colours[i] = {(*palette)[i][0], (*palette)[i][1], (*palette)[i][2]};
            png_set_PLTE(png, info, colours, 256);
        }
        png_write_info(png, info);
        for (int row = 0; row < picture.height; row++)
            png_write_row(png, picture.pixels + row * picture.pitch);
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) written = false;
    return written;
}

} // namespace

RgbPalette PaletteOf(const boards::BoardFace& face) {
    RgbPalette rgb{};
    std::vector<boards::Colour> pens(size_t(face.penCount));
    face.gamePalette(pens.data());
    for (int i = 0; i < face.penCount && face.firstPen + i < 256; i++)
        rgb[size_t(face.firstPen + i)] = {pens[size_t(i)].red, pens[size_t(i)].green, pens[size_t(i)].blue};
    return rgb;
}

bool WritePalettePng(const std::string& path, const boards::Picture& picture, const RgbPalette& palette,
                     std::string& error) {
    if (WriteRows(path, picture, PNG_COLOR_TYPE_PALETTE, &palette)) return true;
    error = "cannot write the picture to " + path;
    return false;
}

bool WritePenPng(const std::string& path, const boards::Picture& picture) {
    return WriteRows(path, picture, PNG_COLOR_TYPE_GRAY, nullptr);
}

bool ReadPenPng(const std::string& path, int width, int height, std::vector<uint8_t>& pens) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool good = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_read_info(png, info);
        good = png_get_image_width(png, info) == png_uint_32(width) &&
               png_get_image_height(png, info) == png_uint_32(height) &&
               png_get_color_type(png, info) == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) == 8;
        if (good) {
            pens.assign(size_t(width) * size_t(height), 0);
            for (int y = 0; y < height; ++y)
                png_read_row(png, &pens[size_t(y) * size_t(width)], nullptr);
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return good;
}

} // namespace png_file
