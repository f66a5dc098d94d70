// The threaded run loop of the 6809 interpreter.
//
// M6809Run is one function, Interpret: every instruction handler is a label
// in it, reached through the three 256-entry dispatch tables of labels (the
// main page and the pages after the 0x10 and 0x11 prefixes). OPCODE(page, op)
// enters a handler in its table and labels the handler's body, which sits in
// an `if (false)` block: M6809BuildFlagTables calls Interpret once with no
// contexts, and that call runs straight through the handler definitions,
// filling the tables, and returns. In a real run the bodies are reached only
// through the tables.
//
// Each handler ends with its own copy of NEXT, which stores PC, moves to the
// next running context (wrapping to the first and counting the pass down),
// calls the breakpoint hook if the context's PC is marked, fetches the opcode
// and dispatches it; no call or return separates two instructions.
//
// Only PC lives in a local variable. It is stored before every write-handler
// and hook call and read back after it, so a handler may reset any context,
// its own included. The indexed post-byte, EXG and TFR dispatch through
// 256-entry tables of small functions generated from templates below; the
// commonest indexed form, the 5-bit offset, is also computed in place.
#include <array>
#include <cstddef>
#include <cstring>
#include <utility>

#include "cpu/m6809/m6809.h"
#include "cpu/m6809/m6809_access.h"
#include "cpu/m6809/m6809_tables.h"

namespace {

M6809TrapHook trapHook = NullTrapHook;
BreakpointHook breakpointHook = NullBreakpointHook;

constexpr M6809Register kS = &M6809Context::S;
constexpr M6809Register kU = &M6809Context::U;

// ---------------------------------------------------------------------------
// Operand fetch and the indexed post-byte

M6809_INLINE uint8_t Fetch(const M6809Context* c, uint16_t& pc) {
    uint8_t value = M6809Read(c, pc);
    pc = uint16_t(pc + 1);
    return value;
}

M6809_INLINE uint16_t Fetch16(const M6809Context* c, uint16_t& pc) {
    uint16_t value = M6809Read16(c, pc);
    pc = uint16_t(pc + 2);
    return value;
}

M6809_INLINE uint16_t Direct(const M6809Context* c, uint16_t& pc) {
    return uint16_t(c->DP << 8 | Fetch(c, pc));
}

// The forms of the indexed post-byte; Invalid covers the encodings that name
// no form.
enum class Form {
    Offset5,
    Increment1,
    Increment2,
    Decrement1,
    Decrement2,
    NoOffset,
    OffsetB,
    OffsetA,
    Offset8,
    Offset16,
    OffsetD,
    Pcr8,
    Pcr16,
    Absolute,
    Invalid,
};

constexpr Form DecodeForm(unsigned post) {
    if (!(post & 0x80)) return Form::Offset5;
    bool indirect = post & 0x10;
    switch (post & 0x0F) {
        case 0x0: return indirect ? Form::Invalid : Form::Increment1;
        case 0x1: return Form::Increment2;
        case 0x2: return indirect ? Form::Invalid : Form::Decrement1;
        case 0x3: return Form::Decrement2;
        case 0x4: return Form::NoOffset;
        case 0x5: return Form::OffsetB;
        case 0x6: return Form::OffsetA;
        case 0x8: return Form::Offset8;
        case 0x9: return Form::Offset16;
        case 0xB: return Form::OffsetD;
        case 0xC: return Form::Pcr8;
        case 0xD: return Form::Pcr16;
        case 0xF: return indirect ? Form::Absolute : Form::Invalid;
        default: return Form::Invalid;
    }
}

constexpr bool UsesRegister(Form form) {
    return form != Form::Pcr8 && form != Form::Pcr16 && form != Form::Absolute && form != Form::Invalid;
}

constexpr M6809Register kIndexRegisters[4] = {&M6809Context::X, &M6809Context::Y, &M6809Context::U,
                                              &M6809Context::S};

struct IndexedAddress {
    uint16_t ea;
    uint16_t pc; // past the post-byte and its offset bytes
};

// Computes the effective address of one form, given PC past the post-byte.
// An invalid post-byte addresses 0xFFFF and takes no further byte; PC stays
// past the post-byte, so the CPU moves on instead of repeating the
// instruction.
template <int R, Form F, bool Indirect> IndexedAddress Indexed(M6809Context* c, uint16_t pc, uint8_t post) {
    [[maybe_unused]] uint16_t& r = c->*kIndexRegisters[R];
    uint16_t ea = 0xFFFF;
    if constexpr (F == Form::Offset5) {
        ea = uint16_t(r + (int(post & 0x1F) ^ 0x10) - 0x10);
    } else if constexpr (F == Form::Increment1) {
        ea = r;
        r = uint16_t(r + 1);
    } else if constexpr (F == Form::Increment2) {
        ea = r;
        r = uint16_t(r + 2);
    } else if constexpr (F == Form::Decrement1) {
        r = uint16_t(r - 1);
        ea = r;
    } else if constexpr (F == Form::Decrement2) {
        r = uint16_t(r - 2);
        ea = r;
    } else if constexpr (F == Form::NoOffset) {
        ea = r;
    } else if constexpr (F == Form::OffsetB) {
        ea = uint16_t(r + int8_t(c->B));
    } else if constexpr (F == Form::OffsetA) {
        ea = uint16_t(r + int8_t(c->A));
    } else if constexpr (F == Form::Offset8) {
        ea = uint16_t(r + int8_t(Fetch(c, pc)));
    } else if constexpr (F == Form::Offset16) {
        ea = uint16_t(r + Fetch16(c, pc));
    } else if constexpr (F == Form::OffsetD) {
        ea = uint16_t(r + (c->A << 8 | c->B));
    } else if constexpr (F == Form::Pcr8) {
        int8_t offset = int8_t(Fetch(c, pc));
        ea = uint16_t(pc + offset);
    } else if constexpr (F == Form::Pcr16) {
        uint16_t offset = Fetch16(c, pc);
        ea = uint16_t(pc + offset);
    } else if constexpr (F == Form::Absolute) {
        ea = Fetch16(c, pc);
    }
    if constexpr (Indirect) ea = M6809Read16(c, ea);
    return {ea, pc};
}

using IndexedForm = IndexedAddress (*)(M6809Context* c, uint16_t pc, uint8_t post);

template <unsigned Post> constexpr IndexedForm IndexedFormOf() {
    constexpr Form form = DecodeForm(Post);
    constexpr bool indirect = (Post & 0x90) == 0x90 && form != Form::Invalid;
    constexpr int reg = UsesRegister(form) ? int(Post >> 5 & 3) : 0;
    return &Indexed<reg, form, indirect>;
}

template <unsigned... Post>
constexpr std::array<IndexedForm, 256> MakeIndexedForms(std::integer_sequence<unsigned, Post...>) {
    return {IndexedFormOf<Post>()...};
}

constexpr std::array<IndexedForm, 256> kIndexedForms =
    MakeIndexedForms(std::make_integer_sequence<unsigned, 256>());

// The index register that bits 6-5 of a post-byte name, read from its place
// among X, Y, U and S, which lie side by side in the context.
M6809_INLINE uint16_t IndexRegister(const M6809Context* c, unsigned post) {
    static_assert(offsetof(M6809Context, Y) == offsetof(M6809Context, X) + 2 &&
                  offsetof(M6809Context, U) == offsetof(M6809Context, X) + 4 &&
                  offsetof(M6809Context, S) == offsetof(M6809Context, X) + 6);
    uint16_t value;
    std::memcpy(&value, reinterpret_cast<const char*>(c) + offsetof(M6809Context, X) + 2 * (post >> 5 & 3),
                sizeof value);
    return value;
}

// The effective address of an indexed operand, PC past its post-byte and
// offset bytes.
M6809_INLINE uint16_t Indexed(M6809Context* c, uint16_t& pc) {
    uint8_t post = Fetch(c, pc);
    if (!(post & 0x80)) return uint16_t(IndexRegister(c, post) + (int(post & 0x1F) ^ 0x10) - 0x10);
    IndexedAddress address = kIndexedForms[post](c, pc, post);
    pc = address.pc;
    return address.ea;
}

// ---------------------------------------------------------------------------
// EXG and TFR: post-byte high nibble the first register, low nibble the second

constexpr int RegisterWidth(unsigned code) {
    if (code <= 5) return 16;
    if (code >= 8 && code <= 11) return 8;
    return 0;
}

template <unsigned Code> M6809_INLINE uint16_t GetRegister(const M6809Context* c, uint16_t pc) {
    if constexpr (Code == 0) return uint16_t(c->A << 8 | c->B);
    if constexpr (Code == 1) return c->X;
    if constexpr (Code == 2) return c->Y;
    if constexpr (Code == 3) return c->U;
    if constexpr (Code == 4) return c->S;
    if constexpr (Code == 5) return pc;
    if constexpr (Code == 8) return c->A;
    if constexpr (Code == 9) return c->B;
    if constexpr (Code == 10) return c->CC;
    if constexpr (Code == 11) return c->DP;
}

template <unsigned Code> M6809_INLINE void SetRegister(M6809Context* c, uint16_t& pc, uint16_t value) {
    if constexpr (Code == 0) {
        c->A = uint8_t(value >> 8);
        c->B = uint8_t(value);
    }
    if constexpr (Code == 1) c->X = value;
    if constexpr (Code == 2) c->Y = value;
    if constexpr (Code == 3) c->U = value;
    if constexpr (Code == 4) c->S = value;
    if constexpr (Code == 5) pc = value;
    if constexpr (Code == 8) c->A = uint8_t(value);
    if constexpr (Code == 9) c->B = uint8_t(value);
    if constexpr (Code == 10) c->CC = uint8_t(value);
    if constexpr (Code == 11) c->DP = uint8_t(value);
}

// Each returns PC after the instruction (a jump when PC is written).
using PairOperation = uint16_t (*)(M6809Context* c, uint16_t pc);

template <unsigned First, unsigned Second> uint16_t Transfer(M6809Context* c, uint16_t pc) {
    SetRegister<Second>(c, pc, GetRegister<First>(c, pc));
    return pc;
}

template <unsigned First, unsigned Second> uint16_t Exchange(M6809Context* c, uint16_t pc) {
    uint16_t first = GetRegister<First>(c, pc);
    uint16_t second = GetRegister<Second>(c, pc);
    SetRegister<First>(c, pc, second);
    SetRegister<Second>(c, pc, first);
    return pc;
}

// A post-byte that names no valid pair: a trap at the EXG or TFR opcode.
uint16_t PairTrap(M6809Context* c, uint16_t pc) {
    c->PC = pc;
    trapHook(c, uint16_t(pc - 2), 2);
    return c->PC;
}

template <bool IsExchange, unsigned Post> constexpr PairOperation PairOperationOf() {
    constexpr unsigned first = Post >> 4, second = Post & 0x0F;
    if constexpr (RegisterWidth(first) == 0 || RegisterWidth(first) != RegisterWidth(second))
        return &PairTrap;
    else if constexpr (IsExchange)
        return &Exchange<first, second>;
    else
        return &Transfer<first, second>;
}

template <bool IsExchange, unsigned... Post>
constexpr std::array<PairOperation, 256> MakePairOperations(std::integer_sequence<unsigned, Post...>) {
    return {PairOperationOf<IsExchange, Post>()...};
}

constexpr std::array<PairOperation, 256> kExchanges =
    MakePairOperations<true>(std::make_integer_sequence<unsigned, 256>());
constexpr std::array<PairOperation, 256> kTransfers =
    MakePairOperations<false>(std::make_integer_sequence<unsigned, 256>());

// ---------------------------------------------------------------------------
// Memory writes from inside the run loop: PC is stored first and read back
// after, because the handler may reset this very context.

M6809_INLINE void Store(M6809Context* c, uint16_t& pc, uint16_t address, uint8_t value) {
    c->PC = pc;
    M6809Write(c, address, value);
    pc = c->PC;
}

M6809_INLINE void Store16(M6809Context* c, uint16_t& pc, uint16_t address, uint16_t value) {
    Store(c, pc, address, uint8_t(value >> 8));
    Store(c, pc, uint16_t(address + 1), uint8_t(value));
}

// Pushes the return address on S, then jumps.
M6809_INLINE void Call(M6809Context* c, uint16_t& pc, uint16_t target) {
    c->PC = pc;
    M6809Push16<kS>(c, pc);
    pc = target;
}

// ---------------------------------------------------------------------------
// Operations and their flags

constexpr uint8_t kH = M6809FlagH, kN = M6809FlagN, kZ = M6809FlagZ, kV = M6809FlagV, kC = M6809FlagC;

// Replaces the CC bits in mask with those of flags.
M6809_INLINE void SetFlags(M6809Context* c, unsigned mask, unsigned flags) {
    c->CC = uint8_t((c->CC & ~mask) | (flags & mask));
}

M6809_INLINE unsigned CarryIn(const M6809Context* c) {
    return c->CC & kC;
}

M6809_INLINE uint16_t GetD(const M6809Context* c) {
    return uint16_t(c->A << 8 | c->B);
}

M6809_INLINE void SetD(M6809Context* c, uint16_t value) {
    c->A = uint8_t(value >> 8);
    c->B = uint8_t(value);
}

M6809_INLINE uint8_t Add(M6809Context* c, uint8_t a, uint8_t m, unsigned carry) {
    uint16_t entry = M6809AddTable[carry << 16 | m << 8 | a];
    SetFlags(c, kH | kN | kZ | kV | kC, entry >> 8);
    return uint8_t(entry);
}

// H is cleared: the table never sets it.
M6809_INLINE uint8_t Subtract(M6809Context* c, uint8_t a, uint8_t m, unsigned borrow) {
    uint16_t entry = M6809SubTable[borrow << 16 | m << 8 | a];
    SetFlags(c, kH | kN | kZ | kV | kC, entry >> 8);
    return uint8_t(entry);
}

// Two 8-bit steps, low bytes first; N, V and C from the high step, Z from
// both. H is left alone.
M6809_INLINE uint16_t Arithmetic16(M6809Context* c, const uint16_t* table, uint16_t a, uint16_t m) {
    unsigned low = table[(m & 0xFF) << 8 | (a & 0xFF)];
    unsigned high = table[(low >> 8 & kC) << 16 | (m >> 8) << 8 | a >> 8];
    SetFlags(c, kN | kZ | kV | kC, (high >> 8 & (kN | kV | kC)) | (high >> 8 & low >> 8 & kZ));
    return uint16_t((high & 0xFF) << 8 | (low & 0xFF));
}

M6809_INLINE uint16_t Add16(M6809Context* c, uint16_t a, uint16_t m) {
    return Arithmetic16(c, M6809AddTable, a, m);
}

M6809_INLINE uint16_t Subtract16(M6809Context* c, uint16_t a, uint16_t m) {
    return Arithmetic16(c, M6809SubTable, a, m);
}

// Loads, stores, logic and TST: N and Z from the value, V cleared.
M6809_INLINE uint8_t Logic(M6809Context* c, uint8_t value) {
    SetFlags(c, kN | kZ | kV, M6809NzTable[value]);
    return value;
}

M6809_INLINE uint16_t Load16(M6809Context* c, uint16_t value) {
    SetFlags(c, kN | kZ | kV, (value & 0x8000 ? kN : 0) | (value == 0 ? kZ : 0));
    return value;
}

M6809_INLINE uint8_t Neg(M6809Context* c, uint8_t v) {
    return Subtract(c, 0, v, 0);
}

M6809_INLINE uint8_t Com(M6809Context* c, uint8_t v) {
    uint8_t result = uint8_t(~v);
    SetFlags(c, kN | kZ | kV | kC, M6809NzTable[result] | kC);
    return result;
}

M6809_INLINE uint8_t Shifted(M6809Context* c, uint16_t entry, unsigned mask) {
    SetFlags(c, mask, entry >> 8);
    return uint8_t(entry);
}

M6809_INLINE uint8_t Lsr(M6809Context* c, uint8_t v) {
    return Shifted(c, M6809RorTable[v], kN | kZ | kC);
}

M6809_INLINE uint8_t Ror(M6809Context* c, uint8_t v) {
    return Shifted(c, M6809RorTable[CarryIn(c) << 8 | v], kN | kZ | kC);
}

M6809_INLINE uint8_t Asr(M6809Context* c, uint8_t v) {
    return Shifted(c, M6809RorTable[(v >> 7) << 8 | v], kH | kN | kZ | kC);
}

M6809_INLINE uint8_t Asl(M6809Context* c, uint8_t v) {
    return Shifted(c, M6809RolTable[v], kH | kN | kZ | kV | kC);
}

M6809_INLINE uint8_t Rol(M6809Context* c, uint8_t v) {
    return Shifted(c, M6809RolTable[CarryIn(c) << 8 | v], kN | kZ | kV | kC);
}

M6809_INLINE uint8_t Dec(M6809Context* c, uint8_t v) {
    uint8_t result = uint8_t(v - 1);
    SetFlags(c, kN | kZ | kV, M6809NzTable[result] | (v == 0x80 ? kV : 0));
    return result;
}

M6809_INLINE uint8_t Inc(M6809Context* c, uint8_t v) {
    uint8_t result = uint8_t(v + 1);
    SetFlags(c, kN | kZ | kV, M6809NzTable[result] | (v == 0x7F ? kV : 0));
    return result;
}

M6809_INLINE uint8_t Clr(M6809Context* c) {
    SetFlags(c, kN | kZ | kV | kC, kZ);
    return 0;
}

// Branch condition of opcode (low nibble 0-F: BRA, BRN, BHI, BLS, BCC, BCS,
// BNE, BEQ, BVC, BVS, BPL, BMI, BGE, BLT, BGT, BLE).
M6809_INLINE bool Condition(const M6809Context* c, unsigned opcode) {
    unsigned cc = c->CC;
    bool n = cc & kN, z = cc & kZ, v = cc & kV, carry = cc & kC;
    switch (opcode & 0x0F) {
        case 0x0: return true;
        case 0x1: return false;
        case 0x2: return !carry && !z;
        case 0x3: return carry || z;
        case 0x4: return !carry;
        case 0x5: return carry;
        case 0x6: return !z;
        case 0x7: return z;
        case 0x8: return !v;
        case 0x9: return v;
        case 0xA: return !n;
        case 0xB: return n;
        case 0xC: return n == v;
        case 0xD: return n != v;
        case 0xE: return !z && n == v;
        default: return z || n != v;
    }
}

// ---------------------------------------------------------------------------
// Handler definitions

#define OPCODE(page, op) OPCODE_(page, op, __COUNTER__)
#define OPCODE_(page, op, n) OPCODE_LABEL(page, op, n)
#define OPCODE_LABEL(page, op, n)                                                                            \
    page[op] = &&handler##n;                                                                                 \
    if (false) handler##n:

// Moves to the next context, wrapping to the first and counting the pass
// down (returns when no pass is left); a stopped context goes to the shared
// loop that looks for the next running one.
#define ADVANCE                                                                                              \
    if (++c == end) {                                                                                        \
        c = first;                                                                                           \
        if (--passesLeft == 0) return;                                                                       \
    }                                                                                                        \
    if (!c->running) [[unlikely]]                                                                            \
        goto skipStopped;

// Takes up the context's PC, calls the breakpoint hook at a marked address
// and dispatches the opcode. A whole byte of the bitmap is tested first: it is
// zero unless one of its eight addresses is marked.
#define ENTER                                                                                                \
    pc = c->PC;                                                                                              \
    if (c->breakpoints[pc >> 3]) [[unlikely]] {                                                              \
        if (c->breakpoints[pc >> 3] & (1 << (pc & 7))) {                                                     \
            breakpointHook(c);                                                                               \
            pc = c->PC;                                                                                      \
        }                                                                                                    \
    }                                                                                                        \
    goto* mainPage[Fetch(c, pc)];

// The step to the next instruction, copied into the end of every handler.
#define NEXT                                                                                                 \
    c->PC = pc;                                                                                              \
    ADVANCE                                                                                                  \
    ENTER

// The direct, indexed and extended forms of one instruction; SHAPE takes the
// page, the opcode, the address expression and the operation.
#define MEMORY_MODES(SHAPE, page, directOp, indexedOp, extendedOp, ...)                                      \
    SHAPE(page, directOp, Direct(c, pc), __VA_ARGS__)                                                        \
    SHAPE(page, indexedOp, Indexed(c, pc), __VA_ARGS__)                                                      \
    SHAPE(page, extendedOp, Fetch16(c, pc), __VA_ARGS__)

// An operation on the 8-bit or 16-bit operand m.
#define WITH8(page, op, operand, ...)                                                                        \
    OPCODE(page, op) {                                                                                       \
        uint8_t m = operand;                                                                                 \
        __VA_ARGS__;                                                                                         \
        NEXT;                                                                                                \
    }
#define WITH16(page, op, operand, ...)                                                                       \
    OPCODE(page, op) {                                                                                       \
        uint16_t m = operand;                                                                                \
        __VA_ARGS__;                                                                                         \
        NEXT;                                                                                                \
    }
#define READ8(page, op, ea, ...) WITH8(page, op, M6809Read(c, ea), __VA_ARGS__)
#define READ16(page, op, ea, ...) WITH16(page, op, M6809Read16(c, ea), __VA_ARGS__)

// Immediate at op, direct at op + 0x10, indexed at op + 0x20, extended at
// op + 0x30.
#define READ8_GROUP(page, op, ...)                                                                           \
    WITH8(page, op, Fetch(c, pc), __VA_ARGS__)                                                               \
    MEMORY_MODES(READ8, page, op + 0x10, op + 0x20, op + 0x30, __VA_ARGS__)
#define READ16_GROUP(page, op, ...)                                                                          \
    WITH16(page, op, Fetch16(c, pc), __VA_ARGS__)                                                            \
    MEMORY_MODES(READ16, page, op + 0x10, op + 0x20, op + 0x30, __VA_ARGS__)

#define STORE8(page, op, ea, value)                                                                          \
    OPCODE(page, op) {                                                                                       \
        uint16_t address = ea;                                                                               \
        Store(c, pc, address, Logic(c, value));                                                              \
        NEXT;                                                                                                \
    }
#define STORE16(page, op, ea, value)                                                                         \
    OPCODE(page, op) {                                                                                       \
        uint16_t address = ea;                                                                               \
        Store16(c, pc, address, Load16(c, value));                                                           \
        NEXT;                                                                                                \
    }

// Read-modify-write: flags first, then one write of the result.
#define MODIFY(page, op, ea, FN)                                                                             \
    OPCODE(page, op) {                                                                                       \
        uint16_t address = ea;                                                                               \
        uint8_t result = FN(c, M6809Read(c, address));                                                       \
        Store(c, pc, address, result);                                                                       \
        NEXT;                                                                                                \
    }
#define MODIFY_GROUP(k, FN)                                                                                  \
    OPCODE(mainPage, 0x40 + k) {                                                                             \
        c->A = FN(c, c->A);                                                                                  \
        NEXT;                                                                                                \
    }                                                                                                        \
    OPCODE(mainPage, 0x50 + k) {                                                                             \
        c->B = FN(c, c->B);                                                                                  \
        NEXT;                                                                                                \
    }                                                                                                        \
    MEMORY_MODES(MODIFY, mainPage, 0x00 + k, 0x60 + k, 0x70 + k, FN)

#define TEST(page, op, ea, ...)                                                                              \
    OPCODE(page, op) {                                                                                       \
        Logic(c, M6809Read(c, ea));                                                                          \
        NEXT;                                                                                                \
    }
#define CLEAR(page, op, ea, ...)                                                                             \
    OPCODE(page, op) {                                                                                       \
        uint16_t address = ea;                                                                               \
        Store(c, pc, address, Clr(c));                                                                       \
        NEXT;                                                                                                \
    }
#define JUMP(page, op, ea, ...)                                                                              \
    OPCODE(page, op) {                                                                                       \
        pc = ea;                                                                                             \
        NEXT;                                                                                                \
    }
#define JUMP_TO_SUBROUTINE(page, op, ea, ...)                                                                \
    OPCODE(page, op) {                                                                                       \
        uint16_t target = ea;                                                                                \
        Call(c, pc, target);                                                                                 \
        NEXT;                                                                                                \
    }

// The 8-bit accumulator instructions of columns 0-B, on A from 0x80, on B
// from 0xC0.
#define ACCUMULATOR_GROUPS(op, REG)                                                                          \
    READ8_GROUP(mainPage, op + 0x0, c->REG = Subtract(c, c->REG, m, 0))                                      \
    READ8_GROUP(mainPage, op + 0x1, Subtract(c, c->REG, m, 0))                                               \
    READ8_GROUP(mainPage, op + 0x2, c->REG = Subtract(c, c->REG, m, CarryIn(c)))                             \
    READ8_GROUP(mainPage, op + 0x4, c->REG = Logic(c, c->REG & m))                                           \
    READ8_GROUP(mainPage, op + 0x5, Logic(c, c->REG & m))                                                    \
    READ8_GROUP(mainPage, op + 0x6, c->REG = Logic(c, m))                                                    \
    MEMORY_MODES(STORE8, mainPage, op + 0x17, op + 0x27, op + 0x37, c->REG)                                  \
    READ8_GROUP(mainPage, op + 0x8, c->REG = Logic(c, c->REG ^ m))                                           \
    READ8_GROUP(mainPage, op + 0x9, c->REG = Add(c, c->REG, m, CarryIn(c)))                                  \
    READ8_GROUP(mainPage, op + 0xA, c->REG = Logic(c, c->REG | m))                                           \
    READ8_GROUP(mainPage, op + 0xB, c->REG = Add(c, c->REG, m, 0))

#define SHORT_BRANCH(op)                                                                                     \
    OPCODE(mainPage, op) {                                                                                   \
        int8_t offset = int8_t(Fetch(c, pc));                                                                \
        if (Condition(c, op)) pc = uint16_t(pc + offset);                                                    \
        NEXT;                                                                                                \
    }
#define LONG_BRANCH(op)                                                                                      \
    OPCODE(page10, op) {                                                                                     \
        uint16_t offset = Fetch16(c, pc);                                                                    \
        if (Condition(c, op)) pc = uint16_t(pc + offset);                                                    \
        NEXT;                                                                                                \
    }
// clang-format off
#define EACH_1_TO_15(M, b) \
    M(b + 0x1) M(b + 0x2) M(b + 0x3) M(b + 0x4) M(b + 0x5) M(b + 0x6) M(b + 0x7) M(b + 0x8) \
    M(b + 0x9) M(b + 0xA) M(b + 0xB) M(b + 0xC) M(b + 0xD) M(b + 0xE) M(b + 0xF)
// clang-format on

#define LOAD_EFFECTIVE_ADDRESS(op, REG, SETS_Z)                                                              \
    OPCODE(mainPage, op) {                                                                                   \
        uint16_t ea = Indexed(c, pc);                                                                        \
        c->REG = ea;                                                                                         \
        if (SETS_Z) SetFlags(c, kZ, ea == 0 ? kZ : 0);                                                       \
        NEXT;                                                                                                \
    }

#define PUSH_PULL(pushOp, pullOp, SP, OTHER)                                                                 \
    OPCODE(mainPage, pushOp) {                                                                               \
        uint8_t mask = Fetch(c, pc);                                                                         \
        c->PC = pc;                                                                                          \
        M6809PushRegisters<SP, OTHER>(c, mask);                                                              \
        pc = c->PC;                                                                                          \
        NEXT;                                                                                                \
    }                                                                                                        \
    OPCODE(mainPage, pullOp) {                                                                               \
        uint8_t mask = Fetch(c, pc);                                                                         \
        pc = M6809PullRegisters<SP, OTHER>(c, mask, pc);                                                     \
        NEXT;                                                                                                \
    }

// SWI, SWI2, SWI3: E set, the entire state stacked, then the masks set.
#define SOFTWARE_INTERRUPT(page, op, masks, vector)                                                          \
    OPCODE(page, op) {                                                                                       \
        c->PC = pc;                                                                                          \
        c->CC |= M6809FlagE;                                                                                 \
        M6809PushEntireState(c);                                                                             \
        c->CC |= masks;                                                                                      \
        pc = M6809Read16(c, vector);                                                                         \
        NEXT;                                                                                                \
    }

#define PAIR(op, table)                                                                                      \
    OPCODE(mainPage, op) {                                                                                   \
        uint8_t post = Fetch(c, pc);                                                                         \
        pc = table[post](c, pc);                                                                             \
        NEXT;                                                                                                \
    }

// Runs count contexts from first for the given passes; with no contexts,
// fills the dispatch tables instead.
void Interpret(uint32_t count, M6809Context* first, uint32_t passes) {
    static const void* mainPage[256];
    static const void* page10[256];
    static const void* page11[256];

    M6809Context* c = first;
    M6809Context* const end = first ? first + count : nullptr;
    uint32_t passesLeft = passes;
    uint16_t pc = 0;

    if (first) goto start;

    for (int op = 0; op < 256; op++) {
        mainPage[op] = &&trapMain;
        page10[op] = &&trapPrefixed;
        page11[op] = &&trapPrefixed;
    }

    // 0x00-0x0F and 0x40-0x7F: single-operand instructions on memory, A and B.
    MODIFY_GROUP(0x0, Neg)
    MODIFY_GROUP(0x3, Com)
    MODIFY_GROUP(0x4, Lsr)
    MODIFY_GROUP(0x6, Ror)
    MODIFY_GROUP(0x7, Asr)
    MODIFY_GROUP(0x8, Asl)
    MODIFY_GROUP(0x9, Rol)
    MODIFY_GROUP(0xA, Dec)
    MODIFY_GROUP(0xC, Inc)
    OPCODE(mainPage, 0x4D) {
        Logic(c, c->A);
        NEXT;
    }
    OPCODE(mainPage, 0x5D) {
        Logic(c, c->B);
        NEXT;
    }
    MEMORY_MODES(TEST, mainPage, 0x0D, 0x6D, 0x7D)
    MEMORY_MODES(JUMP, mainPage, 0x0E, 0x6E, 0x7E)
    OPCODE(mainPage, 0x4F) {
        c->A = Clr(c);
        NEXT;
    }
    OPCODE(mainPage, 0x5F) {
        c->B = Clr(c);
        NEXT;
    }
    MEMORY_MODES(CLEAR, mainPage, 0x0F, 0x6F, 0x7F)

    // 0x10-0x1F
    OPCODE(mainPage, 0x10) {
        goto* page10[Fetch(c, pc)];
    }
    OPCODE(mainPage, 0x11) {
        goto* page11[Fetch(c, pc)];
    }
    OPCODE(mainPage, 0x12) {
        NEXT;
    }                        // NOP
    OPCODE(mainPage, 0x13) { // SYNC
        c->running = 0;
        NEXT;
    }
    OPCODE(mainPage, 0x16) { // LBRA
        uint16_t offset = Fetch16(c, pc);
        pc = uint16_t(pc + offset);
        NEXT;
    }
    OPCODE(mainPage, 0x17) { // LBSR
        uint16_t offset = Fetch16(c, pc);
        Call(c, pc, uint16_t(pc + offset));
        NEXT;
    }
    OPCODE(mainPage, 0x19) { // DAA
        unsigned k = (c->CC & kH ? 2 : 0) | CarryIn(c);
        c->A = Shifted(c, M6809DaaTable[k << 8 | c->A], kN | kZ | kV | kC);
        NEXT;
    }
    OPCODE(mainPage, 0x1A) { // ORCC
        c->CC |= Fetch(c, pc);
        NEXT;
    }
    OPCODE(mainPage, 0x1C) { // ANDCC
        c->CC &= Fetch(c, pc);
        NEXT;
    }
    OPCODE(mainPage, 0x1D) { // SEX
        c->A = c->B & 0x80 ? 0xFF : 0x00;
        SetFlags(c, kN | kZ, M6809NzTable[c->B]);
        NEXT;
    }
    PAIR(0x1E, kExchanges)
    PAIR(0x1F, kTransfers)

    // 0x20-0x2F, and the long forms after 0x10
    SHORT_BRANCH(0x20)
    EACH_1_TO_15(SHORT_BRANCH, 0x20)
    EACH_1_TO_15(LONG_BRANCH, 0x20)

    // 0x30-0x3F
    LOAD_EFFECTIVE_ADDRESS(0x30, X, true)
    LOAD_EFFECTIVE_ADDRESS(0x31, Y, true)
    LOAD_EFFECTIVE_ADDRESS(0x32, S, false)
    LOAD_EFFECTIVE_ADDRESS(0x33, U, false)
    PUSH_PULL(0x34, 0x35, kS, kU)
    PUSH_PULL(0x36, 0x37, kU, kS)
    OPCODE(mainPage, 0x39) { // RTS
        pc = M6809Pull16<kS>(c);
        NEXT;
    }
    OPCODE(mainPage, 0x3A) { // ABX
        c->X = uint16_t(c->X + c->B);
        NEXT;
    }
    OPCODE(mainPage, 0x3B) { // RTI
        uint8_t cc = M6809Pull<kS>(c);
        c->CC = cc;
        pc = M6809PullRegisters<kS, kU>(c, cc & M6809FlagE ? 0xFE : 0x80, pc);
        NEXT;
    }
    OPCODE(mainPage, 0x3C) { // CWAI
        c->CC &= Fetch(c, pc);
        c->running = 0;
        NEXT;
    }
    OPCODE(mainPage, 0x3D) { // MUL
        uint16_t product = uint16_t(c->A * c->B);
        SetD(c, product);
        SetFlags(c, kZ | kC, (product == 0 ? kZ : 0) | (product & 0x80 ? kC : 0));
        NEXT;
    }
    SOFTWARE_INTERRUPT(mainPage, 0x3F, M6809FlagF | M6809FlagI, 0xFFFA)
    SOFTWARE_INTERRUPT(page10, 0x3F, 0, 0xFFF4)
    SOFTWARE_INTERRUPT(page11, 0x3F, 0, 0xFFF2)

    // 0x80-0xFF: accumulator and register instructions in four modes
    ACCUMULATOR_GROUPS(0x80, A)
    ACCUMULATOR_GROUPS(0xC0, B)
    READ16_GROUP(mainPage, 0x83, SetD(c, Subtract16(c, GetD(c), m))) // SUBD
    READ16_GROUP(mainPage, 0xC3, SetD(c, Add16(c, GetD(c), m)))      // ADDD
    READ16_GROUP(mainPage, 0x8C, Subtract16(c, c->X, m))             // CMPX
    READ16_GROUP(mainPage, 0xCC, SetD(c, Load16(c, m)))              // LDD
    READ16_GROUP(mainPage, 0x8E, c->X = Load16(c, m))                // LDX
    READ16_GROUP(mainPage, 0xCE, c->U = Load16(c, m))                // LDU
    MEMORY_MODES(STORE16, mainPage, 0xDD, 0xED, 0xFD, GetD(c))       // STD
    MEMORY_MODES(STORE16, mainPage, 0x9F, 0xAF, 0xBF, c->X)          // STX
    MEMORY_MODES(STORE16, mainPage, 0xDF, 0xEF, 0xFF, c->U)          // STU
    MEMORY_MODES(JUMP_TO_SUBROUTINE, mainPage, 0x9D, 0xAD, 0xBD)     // JSR
    OPCODE(mainPage, 0x8D) {                                         // BSR
        int8_t offset = int8_t(Fetch(c, pc));
        Call(c, pc, uint16_t(pc + offset));
        NEXT;
    }

    // After 0x10 and 0x11
    READ16_GROUP(page10, 0x83, Subtract16(c, GetD(c), m)) // CMPD
    READ16_GROUP(page10, 0x8C, Subtract16(c, c->Y, m))    // CMPY
    READ16_GROUP(page10, 0x8E, c->Y = Load16(c, m))       // LDY
    MEMORY_MODES(STORE16, page10, 0x9F, 0xAF, 0xBF, c->Y) // STY
    READ16_GROUP(page10, 0xCE, c->S = Load16(c, m))       // LDS
    MEMORY_MODES(STORE16, page10, 0xDF, 0xEF, 0xFF, c->S) // STS
    READ16_GROUP(page11, 0x83, Subtract16(c, c->U, m))    // CMPU
    READ16_GROUP(page11, 0x8C, Subtract16(c, c->S, m))    // CMPS
    return;

trapMain : {
    c->PC = pc;
    trapHook(c, uint16_t(pc - 1), 1);
    pc = c->PC;
}
    NEXT;

trapPrefixed : {
    c->PC = pc;
    trapHook(c, uint16_t(pc - 2), 2);
    pc = c->PC;
}
    NEXT;

start:
    if (passesLeft == 0) return;
    if (c->running) { ENTER }
skipStopped: // look for the next running context
    ADVANCE
    ENTER
}

} // namespace

void NullTrapHook(M6809Context*, uint16_t, uint32_t) {}

void NullBreakpointHook(M6809Context*) {}

void M6809SetTrapHook(M6809TrapHook hook) {
    trapHook = hook ? hook : NullTrapHook;
}

void M6809SetBreakpointHook(BreakpointHook hook) {
    breakpointHook = hook ? hook : NullBreakpointHook;
}

void M6809BuildFlagTables() {
    FillOpenBusPage();
    M6809BuildArithmeticTables();
    Interpret(0, nullptr, 0);
}

void M6809Run(uint32_t count, M6809Context* first, uint32_t passes) {
    if (count == 0 || first == nullptr) return;
    Interpret(count, first, passes);
}
