// Golden-picture checks over the board face.
#include "tests/common/golden.h"

#include <cstdlib>
#include <vector>

#include "tools/png/png_file.h"

namespace golden {

::testing::AssertionResult Matches(const boards::BoardFace& face, const std::string& dir,
                                   const std::string& name, bool turned) {
    boards::Picture picture = face.picture(turned);
    std::string path = dir + "/" + name + ".png";
    if (std::getenv("VELTO_UPDATE_GOLDEN")) {
        if (png_file::WritePenPng(path, picture)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "cannot write " << path;
    }
    std::vector<uint8_t> golden;
    if (!png_file::ReadPenPng(path, picture.width, picture.height, golden))
        return ::testing::AssertionFailure()
               << "no golden picture " << path << " of " << picture.width << " x " << picture.height;
    for (int y = 0; y < picture.height; y++)
        for (int x = 0; x < picture.width; x++) {
            uint8_t pen = picture.pixels[y * picture.pitch + x];
            uint8_t want = golden[size_t(y) * size_t(picture.width) + size_t(x)];
            if (pen == want) continue;
            std::string actual = name + "-actual.png", error;
            png_file::WritePalettePng(actual, picture, png_file::PaletteOf(face), error);
            return ::testing::AssertionFailure()
                   << name << ": first difference at x " << x << ", y " << y << ": pen " << int(pen)
                   << ", golden " << int(want) << " (picture written to " << actual << ")";
        }
    return ::testing::AssertionSuccess();
}

} // namespace golden
