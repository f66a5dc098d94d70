#!/usr/bin/env python3
"""Writes z80_ops.inc: the six dispatch tables and every instruction handler
of the threaded Z80 interpreter in z80_run.cpp.

Run it from anywhere after changing it; the output is committed beside it and
a test checks that the two agree:  python3 cpu/z80/z80_gen.py

Each handler is a label inside Z80Run followed by its body and its own copy of
NEXT (the step to the next instruction of the next context). The macros the
bodies use (RD, WR, IN_, OUT_, FETCH, PUSH, POP, the register accessors) are
defined in z80_run.cpp.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# 8-bit registers by their opcode code; 6 is the memory operand.
R8 = {0: "B", 1: "C", 2: "D", 3: "E", 4: "H", 5: "L", 7: "A"}
RP = ["BC", "DE", "HL", "SP"]    # LD rr,nn / INC / DEC / ADD HL
RP2 = ["BC", "DE", "HL", "AF"]   # PUSH / POP
CC = ["!(F & Z80FlagZ)", "(F & Z80FlagZ)", "!(F & Z80FlagC)", "(F & Z80FlagC)",
      "!(F & Z80FlagPV)", "(F & Z80FlagPV)", "!(F & Z80FlagS)", "(F & Z80FlagS)"]

# Opcodes of the DD and FD tables that have an IX or IY form here.
INDEXED = [int(x, 16) for x in """
09 19 21 22 23 24 25 26 29 2A 2B 2C 2D 2E 34 35 36 39 44 45 46 4C 4D 4E 54 55
56 5C 5D 5E 60 61 62 63 66 67 68 69 6A 6B 6E 6F 70 71 72 73 74 75 77 7C 7D 7E
84 85 86 8C 8D 8E 94 95 96 9C 9D 9E A4 A5 A6 AC AD AE B4 B5 B6 BC BD BE CB E1
E3 E5 E9 F9""".split()]

ED = [int(x, 16) for x in """
40 41 42 43 44 45 46 47 48 49 4A 4B 4D 4F 50 51 52 53 56 57 58 59 5A 5B 5E 5F
60 61 62 67 68 69 6A 6F 72 73 78 79 7A 7B A0 A1 A2 A3 A8 A9 AA AB B0 B1 B2 B3
B8 B9 BA BB""".split()]

XCB = [0x06, 0x0E, 0x16, 0x1E, 0x26, 0x2E, 0x3E] + \
    [base + 8 * b for base in (0x46, 0x86, 0xC6) for b in range(8)]


class Mode:
    """How HL, H, L and (HL) read in one table: plain, or the IX/IY forms."""

    def __init__(self, index=None):
        self.index = index  # None, "IX" or "IY"

    def pair(self, name):
        return self.index if (self.index and name == "HL") else name

    def reg(self, code, with_memory):
        """Register operand; H and L become IXh/IXl only when the same
        instruction has no memory operand."""
        name = R8[code]
        if self.index and name in ("H", "L") and not with_memory:
            return ("HI" if name == "H" else "LO") + "(c->" + self.index + ")"
        return name

    def address(self):
        """Setup code and address expression of the memory operand."""
        if self.index:
            return "FETCH(t); ea = uint16_t(c->%s + int8_t(t));" % self.index, "ea"
        return "", "c->HL"


# ----------------------------------------------------------------- 8-bit ALU

def alu(y, s):
    """A := A op s (or compare), flags from the tables."""
    if y == 0:
        return "e = AddTable[(%s) << 8 | A]; A = uint8_t(e); F = uint8_t(e >> 8);" % s
    if y == 1:
        return "e = AddTable[(F & Z80FlagC) << 16 | (%s) << 8 | A]; A = uint8_t(e); F = uint8_t(e >> 8);" % s
    if y == 2:
        return "e = SubTable[(%s) << 8 | A]; A = uint8_t(e); F = uint8_t(e >> 8);" % s
    if y == 3:
        return "e = SubTable[(F & Z80FlagC) << 16 | (%s) << 8 | A]; A = uint8_t(e); F = uint8_t(e >> 8);" % s
    if y == 4:
        return "A &= (%s); F = uint8_t(SzpTable[A] | Z80FlagH);" % s
    if y == 5:
        return "A ^= (%s); F = SzpTable[A];" % s
    if y == 6:
        return "A |= (%s); F = SzpTable[A];" % s
    return "F = uint8_t(SubTable[(%s) << 8 | A] >> 8);" % s


def inc(v):
    return ("e = AddTable[0x100 | %s]; %s = uint8_t(e); "
            "F = uint8_t((F & Z80FlagC) | ((e >> 8) & (Z80FlagS | Z80FlagZ | Z80FlagH | Z80FlagPV | Z80FlagN)));"
            % (v, v))


def dec(v):
    return ("e = SubTable[0x100 | %s]; %s = uint8_t(e); "
            "F = uint8_t((F & Z80FlagC) | ((e >> 8) & (Z80FlagS | Z80FlagZ | Z80FlagH | Z80FlagPV | Z80FlagN)));"
            % (v, v))


# ----------------------------------------------------------- rotates, shifts

def shift(y, v):
    """CB rotates and shifts 0-7 (6 is not implemented) on the byte v; the
    result lands in v and F."""
    feed = {0: ("ShiftLeftTable", "%s >> 7" % v), 1: ("ShiftRightTable", "%s & 1" % v),
            2: ("ShiftLeftTable", "F & Z80FlagC"), 3: ("ShiftRightTable", "F & Z80FlagC"),
            4: ("ShiftLeftTable", "0"), 5: ("ShiftRightTable", "%s >> 7" % v),
            7: ("ShiftRightTable", "0")}[y]
    return "e = %s[(%s) << 8 | %s]; %s = uint8_t(e); F = uint8_t(e >> 8);" % (feed[0], feed[1], v, v)


def rotate_a(y):
    table, bit = [("ShiftLeftTable", "A >> 7"), ("ShiftRightTable", "A & 1"),
                  ("ShiftLeftTable", "F & Z80FlagC"), ("ShiftRightTable", "F & Z80FlagC")][y]
    return ("e = %s[(%s) << 8 | A]; A = uint8_t(e); "
            "F = uint8_t((F & (Z80FlagS | Z80FlagZ | Z80FlagPV)) | ((e >> 8) & Z80FlagC));" % (table, bit))


# --------------------------------------------------------------- main table

def main_op(op, m):
    """Body of main-table opcode op, or of its DD/FD form when m.index is
    set. Returns None for the prefixes, which the caller writes."""
    x, y, z, p, q = op >> 6, (op >> 3) & 7, op & 7, (op >> 3) >> 1 & 3, (op >> 3) & 1
    HLp = m.pair("HL")

    if x == 0:
        if z == 0:
            if y == 0:
                return ""
            if y == 1:
                return "w = c->AF; c->AF = c->altAF; c->altAF = w;"
            if y == 2:
                return "FETCH(t); if (--B) pc = uint16_t(pc + int8_t(t));"
            if y == 3:
                return "FETCH(t); pc = uint16_t(pc + int8_t(t));"
            return "FETCH(t); if (%s) pc = uint16_t(pc + int8_t(t));" % CC[y - 4]
        if z == 1:
            if q == 0:
                return "FETCH16(w); c->%s = w;" % m.pair(RP[p])
            rr = m.pair(RP[p])
            return ("l = uint32_t(c->%s) + c->%s; c->%s = uint16_t(l); "
                    "F = uint8_t((F & (Z80FlagS | Z80FlagZ | Z80FlagPV)) | (l >> 16));" % (HLp, rr, HLp))
        if z == 2:
            if q == 0:
                if p == 0:
                    return "WR(c->BC, A);"
                if p == 1:
                    return "WR(c->DE, A);"
                if p == 2:
                    return "FETCH16(w); WR(w, LO(c->%s)); WR(uint16_t(w + 1), HI(c->%s));" % (HLp, HLp)
                return "FETCH16(w); WR(w, A);"
            if p == 0:
                return "A = RD(c->BC);"
            if p == 1:
                return "A = RD(c->DE);"
            if p == 2:
                return "FETCH16(w); c->%s = uint16_t(RD(w) | RD(uint16_t(w + 1)) << 8);" % HLp
            return "FETCH16(w); A = RD(w);"
        if z == 3:
            return "c->%s%s;" % (m.pair(RP[p]), "++" if q == 0 else "--")
        if z in (4, 5):
            fn = inc if z == 4 else dec
            if y == 6:
                setup, a = m.address()
                return setup + " v = RD(%s); %s WR(%s, v);" % (a, fn("v"), a)
            return fn(m.reg(y, False))
        if z == 6:
            if y == 6:
                setup, a = m.address()
                return setup + " FETCH(v); WR(%s, v);" % a
            return "FETCH(%s);" % m.reg(y, False)
        if y == 4:
            return "e = DaaTable[((F & Z80FlagH) >> 2 | (F & (Z80FlagN | Z80FlagC))) << 8 | A]; " \
                   "A = uint8_t(e); F = uint8_t(e >> 8);"
        if y == 5:
            return "A = uint8_t(~A); F |= Z80FlagH | Z80FlagN;"
        if y == 6:
            return "F = uint8_t((F & (Z80FlagS | Z80FlagZ | Z80FlagPV)) | Z80FlagC);"
        if y == 7:
            return "F = uint8_t((F & (Z80FlagS | Z80FlagZ | Z80FlagPV | Z80FlagC)) ^ Z80FlagC);"
        return rotate_a(y)

    if x == 1:
        if op == 0x76:
            return "c->running = 0;"
        if z == 6:
            setup, a = m.address()
            return setup + " %s = RD(%s);" % (m.reg(y, True), a)
        if y == 6:
            setup, a = m.address()
            return setup + " WR(%s, %s);" % (a, m.reg(z, True))
        if y == z:
            return ""
        return "%s = %s;" % (m.reg(y, False), m.reg(z, False))

    if x == 2:
        if z == 6:
            setup, a = m.address()
            return setup + " v = RD(%s); %s" % (a, alu(y, "v"))
        return alu(y, m.reg(z, False))

    # x == 3
    if z == 0:
        return "if (%s) { POP(pc); }" % CC[y]
    if z == 1:
        if q == 0:
            return "POP(w); c->%s = w;" % m.pair(RP2[p])
        if p == 0:
            return "POP(pc);"
        if p == 1:
            return ("w = c->BC; c->BC = c->altBC; c->altBC = w; w = c->DE; c->DE = c->altDE; c->altDE = w; "
                    "w = c->HL; c->HL = c->altHL; c->altHL = w;")
        if p == 2:
            return "pc = c->%s;" % HLp
        return "c->SP = c->%s;" % HLp
    if z == 2:
        return "FETCH16(w); if (%s) pc = w;" % CC[y]
    if z == 3:
        if y == 0:
            return "FETCH16(w); pc = w;"
        if y == 1:
            return None
        if y == 2:
            return "FETCH(t); OUT_(uint16_t(A << 8 | t), A);"
        if y == 3:
            return "FETCH(t); A = IN_(uint16_t(A << 8 | t));"
        if y == 4:
            return ("v = RD(c->SP); t = RD(uint16_t(c->SP + 1)); w = c->%s; c->%s = uint16_t(t << 8 | v); "
                    "WR(c->SP, uint8_t(w)); WR(uint16_t(c->SP + 1), uint8_t(w >> 8));" % (HLp, HLp))
        if y == 5:
            return "w = c->DE; c->DE = c->HL; c->HL = w;"
        if y == 6:
            return "c->iff = 0;"
        return "c->iff = 3;"
    if z == 4:
        return "FETCH16(w); if (%s) { PUSH(pc); pc = w; }" % CC[y]
    if z == 5:
        if q == 0:
            return "PUSH(c->%s);" % m.pair(RP2[p])
        if p == 0:
            return "FETCH16(w); PUSH(pc); pc = w;"
        return None
    if z == 6:
        return "FETCH(v); " + alu(y, "v")
    return "PUSH(pc); pc = 0x%02X;" % (y * 8)


# ------------------------------------------------------------------ CB table

def cb_op(op):
    x, y, z = op >> 6, (op >> 3) & 7, op & 7
    if x == 0 and y == 6:
        return None
    if z == 6:
        if x == 1:
            return "v = RD(c->HL); " + bit_test(y, "v")
        return "v = RD(c->HL); %s WR(c->HL, v);" % modify(x, y, "v")
    r = R8[z]
    if x == 1:
        return bit_test(y, r)
    return modify(x, y, r)


def bit_test(b, v):
    return "F = uint8_t((F & Z80FlagC) | Z80FlagH | ((%s) & 0x%02X ? 0 : Z80FlagZ));" % (v, 1 << b)


def modify(x, y, v):
    if x == 0:
        return shift(y, v)
    if x == 2:
        return "%s = uint8_t(%s & 0x%02X);" % (v, v, ~(1 << y) & 0xFF)
    return "%s = uint8_t(%s | 0x%02X);" % (v, v, 1 << y)


def xcb_op(op):
    """Indexed bit table: ea already holds IX+d or IY+d."""
    x, y = op >> 6, (op >> 3) & 7
    if x == 1:
        return "v = RD(ea); " + bit_test(y, "v")
    return "v = RD(ea); %s WR(ea, v);" % modify(x, y, "v")


# ------------------------------------------------------------------ ED table

def ed_op(op):
    x, y, z, p, q = op >> 6, (op >> 3) & 7, op & 7, (op >> 4) & 3, (op >> 3) & 1
    if x == 1:
        if z == 0:
            return "v = IN_(c->BC); %s = v; F = uint8_t((F & Z80FlagC) | SzpTable[v]);" % R8[y]
        if z == 1:
            return "OUT_(c->BC, %s);" % R8[y]
        if z == 2:
            rr = RP[p]
            if q == 0:
                return ("w = c->%s; t = uint8_t(w); v = uint8_t(w >> 8); "
                        "e = SubTable[(F & Z80FlagC) << 16 | t << 8 | LO(c->HL)]; "
                        "l = SubTable[(e >> 8 & Z80FlagC) << 16 | v << 8 | HI(c->HL)]; "
                        "c->HL = uint16_t((l & 0xFF) << 8 | (e & 0xFF)); "
                        "F = uint8_t(((l >> 8) & ~Z80FlagZ) | (c->HL ? 0 : Z80FlagZ));" % rr)
            return ("w = c->%s; t = uint8_t(w); v = uint8_t(w >> 8); "
                    "e = AddTable[(F & Z80FlagC) << 16 | t << 8 | LO(c->HL)]; "
                    "l = AddTable[(e >> 8 & Z80FlagC) << 16 | v << 8 | HI(c->HL)]; "
                    "c->HL = uint16_t((l & 0xFF) << 8 | (e & 0xFF)); "
                    "F = uint8_t(((l >> 8) & ~Z80FlagZ) | (c->HL ? 0 : Z80FlagZ));" % rr)
        if z == 3:
            rr = RP[p]
            if q == 0:
                return "FETCH16(w); WR(w, LO(c->%s)); WR(uint16_t(w + 1), HI(c->%s));" % (rr, rr)
            return "FETCH16(w); c->%s = uint16_t(RD(w) | RD(uint16_t(w + 1)) << 8);" % rr
        if op == 0x44:
            return "e = SubTable[A << 8]; A = uint8_t(e); F = uint8_t(e >> 8);"
        if op == 0x45:
            return "c->iff = uint8_t((c->iff & 2) | (c->iff >> 1)); POP(pc);"
        if op == 0x4D:
            return "POP(pc);"
        if z == 6:
            return "c->im = %d;" % {0: 0, 2: 1, 3: 2}[y]
        if op == 0x47:
            return "c->I = A;"
        if op == 0x4F:
            return "c->R = A;"
        if op in (0x57, 0x5F):
            src = "c->I" if op == 0x57 else "uint8_t(c->R & 0x7F)"
            return ("A = %s; F = uint8_t((F & Z80FlagC) | (SzpTable[A] & (Z80FlagS | Z80FlagZ)) | "
                    "(c->iff & 2 ? Z80FlagPV : 0));" % src)
        if op == 0x67:
            return ("v = RD(c->HL); t = A; A = uint8_t((t & 0xF0) | (v & 0x0F)); "
                    "F = uint8_t((F & Z80FlagC) | SzpTable[A]); WR(c->HL, uint8_t((t & 0x0F) << 4 | v >> 4));")
        if op == 0x6F:
            return ("v = RD(c->HL); t = A; A = uint8_t((t & 0xF0) | (v >> 4)); "
                    "F = uint8_t((F & Z80FlagC) | SzpTable[A]); WR(c->HL, uint8_t((v & 0x0F) << 4 | (t & 0x0F)));")
    # block instructions
    step = "++" if (y & 1) == 0 else "--"
    repeat = y >= 6
    if z == 0:  # LDI LDD LDIR LDDR
        body = ("v = RD(c->HL); w = c->DE; c->HL%s; c->DE%s; c->BC--; "
                "F = uint8_t((F & (Z80FlagS | Z80FlagZ | Z80FlagC)) | (c->BC ? Z80FlagPV : 0)); " % (step, step))
        if repeat:
            body += "if (c->BC) pc = uint16_t(pc - 2); "
        return body + "WR(w, v);"
    if z == 1:  # CPI CPD CPIR CPDR
        body = ("v = RD(c->HL); e = SubTable[v << 8 | A]; c->HL%s; c->BC--; "
                "F = uint8_t((F & Z80FlagC) | ((e >> 8) & (Z80FlagS | Z80FlagZ | Z80FlagH | Z80FlagN)) | "
                "(c->BC ? Z80FlagPV : 0));" % step)
        if repeat:
            body += " if (c->BC && !(F & Z80FlagZ)) pc = uint16_t(pc - 2);"
        return body
    back = "pc = uint16_t(pc - 2); " if repeat else ""
    again = " if (!B) pc = uint16_t(pc + 2);" if repeat else ""
    flags = "F = uint8_t((F & Z80FlagC) | Z80FlagN | (B ? 0 : Z80FlagZ)); "
    if z == 2:  # INI IND INIR INDR
        return (back + "v = IN_(c->BC); w = c->HL; c->HL%s; B--; " % step + flags + "WR(w, v);" + again)
    # OUTI OUTD OTIR OTDR
    return (back + "v = RD(c->HL); w = c->BC; c->HL%s; B--; " % step + flags + "OUT_(w, v);" + again)


# ------------------------------------------------------------------- output

PREFIXES = {
    0xCB: "FETCH(op); goto *cbTable[op];",
    0xDD: "FETCH(op); goto *ddTable[op];",
    0xED: "FETCH(op); goto *edTable[op];",
    0xFD: "FETCH(op); goto *fdTable[op];",
}


def generate():
    tables = {"main": [], "cb": [], "dd": [], "fd": [], "ed": [], "xcb": []}
    handlers = []

    def add(table, op, body, label):
        tables[table].append("&&" + label)
        if body is not None:
            handlers.append((label, body))

    for op in range(256):
        body = main_op(op, Mode())
        label = "m_%02X" % op
        if body is None:
            tables["main"].append("&&" + label)
            handlers.append((label, PREFIXES[op], False))
        else:
            add("main", op, body, label)
    for op in range(256):
        body = cb_op(op)
        if body is None:
            tables["cb"].append("&&trap2")
        else:
            add("cb", op, body, "cb_%02X" % op)
    for index, name in (("IX", "dd"), ("IY", "fd")):
        for op in range(256):
            if op not in INDEXED:
                tables[name].append("&&trap2")
            elif op == 0xCB:
                tables[name].append("&&%s_CB" % name)
                handlers.append(("%s_CB" % name,
                                 "FETCH(t); ea = uint16_t(c->%s + int8_t(t)); FETCH(op); goto *xcbTable[op];"
                                 % index, False))
            else:
                add(name, op, main_op(op, Mode(index)), "%s_%02X" % (name, op))
    for op in range(256):
        if op in ED:
            add("ed", op, ed_op(op), "ed_%02X" % op)
        else:
            tables["ed"].append("&&trap2")
    for op in range(256):
        if op in XCB:
            add("xcb", op, xcb_op(op), "xcb_%02X" % op)
        else:
            tables["xcb"].append("&&trap4")

    out = ["// Written by z80_gen.py; do not edit by hand.", ""]
    out.append("#ifdef Z80_DISPATCH_TABLES")
    for name in ("main", "cb", "dd", "fd", "ed", "xcb"):
        entries = tables[name]
        assert len(entries) == 256, name
        out.append("static void* const %sTable[256] = {" % name)
        for i in range(0, 256, 8):
            out.append("    " + ", ".join(entries[i:i + 8]) + ",")
        out.append("};")
    out.append("#else")
    for h in handlers:
        label, body = h[0], h[1]
        ends_with_next = len(h) == 2
        out.append("%s: {" % label)
        if body:
            out.append("    " + body)
        out.append("}")
        if ends_with_next:
            out.append("    NEXT;")
    out.append("#endif")
    return "\n".join(out) + "\n"


def main():
    text = generate()
    target = os.path.join(HERE, "z80_ops.inc")
    if len(sys.argv) > 1 and sys.argv[1] == "--check":
        with open(target) as f:
            if f.read() != text:
                print("z80_ops.inc is out of date: run python3 cpu/z80/z80_gen.py")
                return 1
        return 0
    with open(target, "w") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
