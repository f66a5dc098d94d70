// Builds the 6809 interpreter's result-and-flag lookup tables.
#include "cpu/m6809/m6809_tables.h"

#include "cpu/m6809/m6809.h"

uint16_t M6809AddTable[2 * 256 * 256];
uint16_t M6809SubTable[2 * 256 * 256];
uint8_t M6809NzTable[256];
uint16_t M6809DaaTable[4 * 256];
uint16_t M6809RolTable[2 * 256];
uint16_t M6809RorTable[2 * 256];

namespace {

uint16_t Entry(int result, int flags) {
    return uint16_t((result & 0xFF) | ((flags | M6809NzTable[result & 0xFF]) << 8));
}

// a + b + carry, or a - b - borrow.
uint16_t Arithmetic(int a, int b, int carry, bool subtract) {
    int full = subtract ? a - b - carry : a + b + carry;
    int sa = int8_t(a), sb = int8_t(b);
    int signedFull = subtract ? sa - sb - carry : sa + sb + carry;
    int flags = 0;
    if (!subtract && ((a & 0x0F) + (b & 0x0F) + carry) > 0x0F) flags |= M6809FlagH;
    if (signedFull < -128 || signedFull > 127) flags |= M6809FlagV;
    if (full < 0 || full > 0xFF) flags |= M6809FlagC;
    return Entry(full, flags);
}

uint16_t Daa(int k, int a) {
    bool half = k & 2, carry = k & 1;
    int low = a & 0x0F, high = a >> 4;
    int correction = 0;
    if (half || low > 9) correction |= 0x06;
    if (carry || high > 9 || (high == 9 && low > 9)) correction |= 0x60;
    int full = a + correction;
    int flags = (half ? M6809FlagH : 0) | (carry || full > 0xFF ? M6809FlagC : 0);
    return Entry(full, flags);
}

} // namespace

void M6809BuildArithmeticTables() {
    for (int v = 0; v < 256; v++)
        M6809NzTable[v] = uint8_t((v & 0x80 ? M6809FlagN : 0) | (v == 0 ? M6809FlagZ : 0));
    for (int carry = 0; carry < 2; carry++)
        for (int b = 0; b < 256; b++)
            for (int a = 0; a < 256; a++) {
                M6809AddTable[carry * 65536 + b * 256 + a] = Arithmetic(a, b, carry, false);
                M6809SubTable[carry * 65536 + b * 256 + a] = Arithmetic(a, b, carry, true);
            }
    for (int k = 0; k < 4; k++)
        for (int a = 0; a < 256; a++)
            M6809DaaTable[k * 256 + a] = Daa(k, a);
    for (int carry = 0; carry < 2; carry++)
        for (int v = 0; v < 256; v++) {
            int rolFlags = (v & 0x80 ? M6809FlagC : 0) | (((v >> 7) ^ (v >> 6)) & 1 ? M6809FlagV : 0);
            M6809RolTable[carry * 256 + v] = Entry((v << 1) | carry, rolFlags);
            M6809RorTable[carry * 256 + v] = Entry((v >> 1) | (carry << 7), v & 1 ? M6809FlagC : 0);
        }
}
