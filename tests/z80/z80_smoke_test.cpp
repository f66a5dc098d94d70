#include <gtest/gtest.h>
#include "cpu/z80/z80.h"
TEST(Z80Smoke, Runs) {
    Z80BuildFlagTables();
    static Z80Context c;
    static uint8_t ram[256 * 256];
    Z80InitPageTables(&c);
    for (int i = 0; i < 256; i++) c.pages[i] = {ram + i * 256, RamWrite};
    uint8_t prog[] = {0x3E, 0x05, 0x06, 0x03, 0x80, 0x32, 0x00, 0x80, 0x76};
    for (size_t i = 0; i < sizeof prog; i++) ram[i] = prog[i];
    Z80Reset(&c);
    Z80Run(1, &c, 10);
    EXPECT_EQ(ram[0x8000], 8);
    EXPECT_EQ(c.running, 0u);
}
