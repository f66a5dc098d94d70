// An 8-bit palette PNG of a board's picture, through libpng.
#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "tools/boardrun/boardrun.h"

namespace boardrun {

bool WritePng(const std::string& path, const Picture& picture, const uint8_t palette[256][3],
              std::string& error) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8,
                     PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_color colours[256];
        for (int i = 0; i < 256; i++)
            colours[i] = {palette[i][0], palette[i][1], palette[i][2]};
        png_set_PLTE(png, info, colours, 256);
        png_write_info(png, info);
        for (int row = 0; row < picture.height; row++)
            png_write_row(png, picture.pixels + row * picture.pitch);
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) written = false;
    if (!written) error = "cannot write the picture to " + path;
    return written;
}

} // namespace boardrun
