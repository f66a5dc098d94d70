// Builds the Z80 interpreter's lookup tables and the open-bus page.
#include "cpu/z80/z80_tables.h"

#include <bit>

#include "cpu/z80/z80.h"

uint16_t AddTable[2 * 256 * 256];
uint16_t SubTable[2 * 256 * 256];
uint8_t SzpTable[256];
uint16_t DaaTable[8 * 256];
uint16_t ShiftLeftTable[2 * 256];
uint16_t ShiftRightTable[2 * 256];

namespace {

uint8_t SignZero(int r) {
    return uint8_t((r & 0x80 ? Z80FlagS : 0) | (r == 0 ? Z80FlagZ : 0));
}

uint16_t Entry(int r, int flags) {
    return uint16_t((r & 0xFF) | (flags << 8));
}

// Flags of x + y + carry (add) or x - y - borrow (subtract).
uint16_t Arithmetic(int x, int y, int carry, bool subtract) {
    int sx = int8_t(x), sy = int8_t(y);
    int full = subtract ? sx - sy - carry : sx + sy + carry;
    int r = full & 0xFF;
    int bits = sx ^ sy ^ full;
    int flags = SignZero(r);
    if (bits & 0x10) flags |= Z80FlagH;
    if (full < -128 || full > 127) flags |= Z80FlagPV;
    if (bits & 0x100) flags |= Z80FlagC;
    if (subtract) flags |= Z80FlagN;
    return Entry(r, flags);
}

uint16_t Daa(int k, int a) {
    int f = ((k & 4) ? Z80FlagH : 0) | ((k & 2) ? Z80FlagN : 0) | ((k & 1) ? Z80FlagC : 0);
    int r = a;
    if (!(f & Z80FlagN)) {
        if (((f & Z80FlagH) && (a & 0x0F) < 4) || (a & 0x0F) > 9) {
            r = a + 6;
            if (r >= 0x100) f |= Z80FlagC;
            f |= Z80FlagH;
        }
        int u = (r & 0xFF) & 0xF0;
        if (((f & Z80FlagC) && u < 0x40) || u > 0x90) {
            r += 0x60;
            f |= Z80FlagC;
        }
    } else {
        if (((f & Z80FlagH) && (a & 0x0F) > 5) || (a & 0x0F) > 9) {
            r = a - 6;
            f |= Z80FlagH;
        }
        int u = (r & 0xFF) & 0xF0;
        if (((f & Z80FlagC) && u > 0x50) || u > 0x90) {
            r -= 0x60;
            f |= Z80FlagC;
        }
    }
    return Entry(r, f | SzpTable[r & 0xFF]);
}

} // namespace

void Z80BuildFlagTables() {
    for (int carry = 0; carry < 2; carry++)
        for (int x = 0; x < 256; x++)
            for (int y = 0; y < 256; y++)
                AddTable[carry * 65536 + x * 256 + y] = Arithmetic(x, y, carry, false);
    for (int borrow = 0; borrow < 2; borrow++)
        for (int x = 0; x < 256; x++)
            for (int y = 0; y < 256; y++)
                SubTable[borrow * 65536 + y * 256 + x] = Arithmetic(x, y, borrow, true);
    for (int v = 0; v < 256; v++) {
        int ones = std::popcount(unsigned(v));
        SzpTable[v] = uint8_t(SignZero(v) | (ones % 2 == 0 ? Z80FlagPV : 0));
    }
    for (int k = 0; k < 8; k++)
        for (int a = 0; a < 256; a++)
            DaaTable[k * 256 + a] = Daa(k, a);
    for (int bit = 0; bit < 2; bit++)
        for (int x = 0; x < 256; x++) {
            int left = ((x << 1) | bit) & 0xFF;
            ShiftLeftTable[bit * 256 + x] = Entry(left, SzpTable[left] | (x >> 7));
            int right = (x >> 1) | (bit << 7);
            ShiftRightTable[bit * 256 + x] = Entry(right, SzpTable[right] | (x & 1));
        }
    FillOpenBusPage();
}
