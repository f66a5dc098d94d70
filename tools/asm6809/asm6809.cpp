// The assembler proper: source lines are parsed once into statements (includes
// expanded in place), then two passes run over the statements. Pass 1 fixes the
// size of every instruction and the value of every label; pass 2 places the
// bytes, checks every range and builds the listing. Size decisions made in pass 1
// are kept in the statement, so pass 2 lays out exactly the same addresses.
#include "tools/asm6809/asm6809.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string_view>
#include <unordered_map>

namespace asm6809 {
namespace {

constexpr size_t kMaxErrors = 100;
constexpr int kMaxIncludeDepth = 16;
constexpr int64_t kAddressEnd = 0x10000;

std::string Hex(int64_t value, int digits = 4) {
    char text[24];
    std::snprintf(text, sizeof text, "$%0*llX", digits, static_cast<unsigned long long>(value & 0xFFFFFFFF));
    return text;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}
bool IsNameChar(char c) {
    return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

// ---------------------------------------------------------------- registers

// Register codes as EXG and TFR name them; -1 for a name that is no register.
int PairCode(std::string_view name) {
    static const std::unordered_map<std::string, int> codes = {
        {"D", 0},  {"X", 1}, {"Y", 2}, {"U", 3},   {"S", 4},
        {"PC", 5}, {"A", 8}, {"B", 9}, {"CC", 10}, {"DP", 11},
    };
    auto found = codes.find(Upper(name));
    return found == codes.end() ? -1 : found->second;
}

bool IsRegisterName(std::string_view name) {
    return PairCode(name) >= 0 || Upper(name) == "PCR";
}

// ---------------------------------------------------------------- mnemonics

enum class Op : uint8_t {
    None, // blank line, comment or label alone
    Inherent,
    Immediate8, // ORCC, ANDCC, CWAI
    General,    // immediate, direct, indexed, extended at opcode +0x00, +0x10, +0x20, +0x30
    Memory,     // direct, indexed, extended at opcode +0x00, +0x60, +0x70
    Lea,        // indexed only
    Branch,
    LongBranch,
    Stack,
    Pair,
    Org,
    Equ,
    Fcb,
    Fdb,
    Fcc,
    Rmb,
    Fill,
    Setdp,
    Include,
};

enum : uint8_t { kWide = 1, kNoImmediate = 2, kUserStack = 4 };

struct Mnemonic {
    Op op = Op::None;
    uint8_t prefix = 0; // 0x10, 0x11 or 0
    uint8_t opcode = 0;
    uint8_t flags = 0;
};

const std::unordered_map<std::string, Mnemonic>& Mnemonics() {
    static const auto table = [] {
        std::unordered_map<std::string, Mnemonic> t;
        auto add = [&t](const std::string& name, Op op, int code, uint8_t flags = 0) {
            t[name] = {op, static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code), flags};
        };
        // Read-modify-write group: memory forms at 0x00-0x0F, A at 0x40, B at 0x50.
        static constexpr const char* memoryOps[16] = {"NEG", nullptr, nullptr, "COM", "LSR", nullptr,
                                                      "ROR", "ASR",   "ASL",   "ROL", "DEC", nullptr,
                                                      "INC", "TST",   "JMP",   "CLR"};
        for (int i = 0; i < 16; ++i) {
            if (!memoryOps[i]) continue;
            std::string names[2] = {memoryOps[i], i == 8 ? "LSL" : ""};
            for (const std::string& name : names) {
                if (name.empty()) continue;
                add(name, Op::Memory, i);
                if (i == 14) continue; // JMP has no accumulator form
                add(name + "A", Op::Inherent, 0x40 + i);
                add(name + "B", Op::Inherent, 0x50 + i);
            }
        }
        // Accumulator group: A at 0x80-0xBF, B at 0xC0-0xFF.
        static constexpr const char* aluOps[12] = {"SUB", "CMP", "SBC", nullptr, "AND", "BIT",
                                                   "LD",  "ST",  "EOR", "ADC",   "OR",  "ADD"};
        for (int i = 0; i < 12; ++i) {
            if (!aluOps[i]) continue;
            uint8_t flags = i == 7 ? kNoImmediate : 0;
            add(std::string(aluOps[i]) + "A", Op::General, 0x80 + i, flags);
            add(std::string(aluOps[i]) + "B", Op::General, 0xC0 + i, flags);
        }
        // Branches: short at 0x20-0x2F, long LBRA 0x16 and the rest after 0x10.
        static constexpr const char* conditions[16] = {"RA", "RN", "HI", "LS", "CC", "CS", "NE", "EQ",
                                                       "VC", "VS", "PL", "MI", "GE", "LT", "GT", "LE"};
        for (int i = 0; i < 16; ++i) {
            add(std::string("B") + conditions[i], Op::Branch, 0x20 + i);
            add(std::string("LB") + conditions[i], Op::LongBranch, i == 0 ? 0x16 : 0x1020 + i);
        }
        // Everything else, one by one (a code above 0xFF carries its prefix).
        static constexpr struct {
            const char* name;
            Op op;
            int code;
            uint8_t flags;
        } singles[] = {
            {"SUBD", Op::General, 0x83, kWide},
            {"CMPX", Op::General, 0x8C, kWide},
            {"JSR", Op::General, 0x8D, kNoImmediate},
            {"LDX", Op::General, 0x8E, kWide},
            {"STX", Op::General, 0x8F, kNoImmediate},
            {"ADDD", Op::General, 0xC3, kWide},
            {"LDD", Op::General, 0xCC, kWide},
            {"STD", Op::General, 0xCD, kNoImmediate},
            {"LDU", Op::General, 0xCE, kWide},
            {"STU", Op::General, 0xCF, kNoImmediate},
            {"CMPD", Op::General, 0x1083, kWide},
            {"CMPY", Op::General, 0x108C, kWide},
            {"LDY", Op::General, 0x108E, kWide},
            {"STY", Op::General, 0x108F, kNoImmediate},
            {"LDS", Op::General, 0x10CE, kWide},
            {"STS", Op::General, 0x10CF, kNoImmediate},
            {"CMPU", Op::General, 0x1183, kWide},
            {"CMPS", Op::General, 0x118C, kWide},
            {"NOP", Op::Inherent, 0x12, 0},
            {"SYNC", Op::Inherent, 0x13, 0},
            {"DAA", Op::Inherent, 0x19, 0},
            {"SEX", Op::Inherent, 0x1D, 0},
            {"RTS", Op::Inherent, 0x39, 0},
            {"ABX", Op::Inherent, 0x3A, 0},
            {"RTI", Op::Inherent, 0x3B, 0},
            {"MUL", Op::Inherent, 0x3D, 0},
            {"SWI", Op::Inherent, 0x3F, 0},
            {"SWI2", Op::Inherent, 0x103F, 0},
            {"SWI3", Op::Inherent, 0x113F, 0},
            {"ORCC", Op::Immediate8, 0x1A, 0},
            {"ANDCC", Op::Immediate8, 0x1C, 0},
            {"CWAI", Op::Immediate8, 0x3C, 0},
            {"EXG", Op::Pair, 0x1E, 0},
            {"TFR", Op::Pair, 0x1F, 0},
            {"LEAX", Op::Lea, 0x30, 0},
            {"LEAY", Op::Lea, 0x31, 0},
            {"LEAS", Op::Lea, 0x32, 0},
            {"LEAU", Op::Lea, 0x33, 0},
            {"PSHS", Op::Stack, 0x34, 0},
            {"PULS", Op::Stack, 0x35, 0},
            {"PSHU", Op::Stack, 0x36, kUserStack},
            {"PULU", Op::Stack, 0x37, kUserStack},
            {"BSR", Op::Branch, 0x8D, 0},
            {"LBSR", Op::LongBranch, 0x17, 0},
            {"BHS", Op::Branch, 0x24, 0},
            {"BLO", Op::Branch, 0x25, 0},
            {"LBHS", Op::LongBranch, 0x1024, 0},
            {"LBLO", Op::LongBranch, 0x1025, 0},
            {"ORG", Op::Org, 0, 0},
            {"EQU", Op::Equ, 0, 0},
            {"FCB", Op::Fcb, 0, 0},
            {"FDB", Op::Fdb, 0, 0},
            {"FCC", Op::Fcc, 0, 0},
            {"RMB", Op::Rmb, 0, 0},
            {"FILL", Op::Fill, 0, 0},
            {"SETDP", Op::Setdp, 0, 0},
            {"INCLUDE", Op::Include, 0, 0},
        };
        for (const auto& single : singles)
            add(single.name, single.op, single.code, single.flags);
        return t;
    }();
    return table;
}

// ---------------------------------------------------------------- tokens and expressions

enum class TokenType : uint8_t { End, Number, Name, Punct };

struct Token {
    TokenType type = TokenType::End;
    char punct = 0; // one of #,[]()+-*/&|^~<> or 'L' for << and 'R' for >>
    int64_t number = 0;
    std::string text; // as written
};

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// Splits operand text into tokens, up to the end or a ';' comment. The list
// always ends with an End token.
bool Tokenize(std::string_view text, std::vector<Token>& tokens, std::string& error) {
    size_t i = 0;
    for (;;) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i >= text.size() || text[i] == ';') {
            tokens.push_back({});
            return true;
        }
        const size_t start = i;
        const char c = text[i];
        Token token;
        if (c == '\'') {
            if (i + 1 >= text.size()) {
                error = "character constant without a character";
                return false;
            }
            token.type = TokenType::Number;
            token.number = static_cast<unsigned char>(text[i + 1]);
            i += 2;
            if (i < text.size() && text[i] == '\'') ++i;
        } else if (c == '$' || c == '%' || std::isdigit(static_cast<unsigned char>(c))) {
            int radix = 10;
            if (c == '$') {
                radix = 16;
                ++i;
            } else if (c == '%') {
                radix = 2;
                ++i;
            } else if (c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
                radix = 16;
                i += 2;
            }
            uint64_t value = 0;
            size_t digits = 0;
            bool bad = false;
            for (; i < text.size() && IsNameChar(text[i]); ++i, ++digits) {
                const int digit = DigitValue(text[i]);
                if (digit >= radix) bad = true;
                value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
                if (value > 0xFFFFFFFF) bad = true;
                if (bad) break;
            }
            while (i < text.size() && IsNameChar(text[i]))
                ++i;
            if (bad || digits == 0) {
                error = "bad number '" + std::string(text.substr(start, i - start)) + "'";
                return false;
            }
            token.type = TokenType::Number;
            token.number = static_cast<int64_t>(value);
        } else if (IsNameStart(c)) {
            while (i < text.size() && IsNameChar(text[i]))
                ++i;
            token.type = TokenType::Name;
        } else if ((c == '<' || c == '>') && i + 1 < text.size() && text[i + 1] == c) {
            token.type = TokenType::Punct;
            token.punct = c == '<' ? 'L' : 'R';
            i += 2;
        } else if (std::string_view("#,[]()+-*/&|^~<>").find(c) != std::string_view::npos) {
            token.type = TokenType::Punct;
            token.punct = c;
            ++i;
        } else {
            error = "unexpected character '" + std::string(1, c) + "'";
            return false;
        }
        token.text = std::string(text.substr(start, i - start));
        tokens.push_back(std::move(token));
    }
}

// An expression in reverse Polish order.
struct Node {
    enum Kind : uint8_t { Number, Symbol, Here, Negate, Invert, Binary };
    Kind kind = Number;
    char op = 0; // for Binary: + - * / & | ^ and L (<<), R (>>)
    int64_t number = 0;
    std::string name;
};
using Expr = std::vector<Node>;

struct Parser {
    const std::vector<Token>& tokens;
    size_t at = 0;
    std::string error;

    const Token& Peek(size_t ahead = 0) const { return tokens[std::min(at + ahead, tokens.size() - 1)]; }
    bool IsPunct(char p, size_t ahead = 0) const {
        return Peek(ahead).type == TokenType::Punct && Peek(ahead).punct == p;
    }
    bool Take(char p) {
        if (!IsPunct(p)) return false;
        ++at;
        return true;
    }
    bool AtEnd() const { return Peek().type == TokenType::End; }
    bool Fail(const std::string& message) {
        if (error.empty()) error = message;
        return false;
    }
    std::string Here() const { return AtEnd() ? "the end of the operand" : "'" + Peek().text + "'"; }
};

int Precedence(const Token& token) {
    if (token.type != TokenType::Punct) return 0;
    switch (token.punct) {
        case '|': return 1;
        case '^': return 2;
        case '&': return 3;
        case 'L':
        case 'R': return 4;
        case '+':
        case '-': return 5;
        case '*':
        case '/': return 6;
        default: return 0;
    }
}

bool ParseExpr(Parser& p, Expr& out, int minPrecedence = 1);

bool ParseTerm(Parser& p, Expr& out) {
    const Token& token = p.Peek();
    if (token.type == TokenType::Number) {
        out.push_back({Node::Number, 0, token.number, {}});
        ++p.at;
        return true;
    }
    if (token.type == TokenType::Name) {
        if (IsRegisterName(token.text))
            return p.Fail("register " + Upper(token.text) + " where a value is expected");
        out.push_back({Node::Symbol, 0, 0, token.text});
        ++p.at;
        return true;
    }
    if (p.Take('(')) {
        if (!ParseExpr(p, out)) return false;
        return p.Take(')') || p.Fail("missing ')' before " + p.Here());
    }
    if (p.Take('*')) {
        out.push_back({Node::Here, 0, 0, {}});
        return true;
    }
    if (p.Take('+')) return ParseTerm(p, out);
    for (auto [punct, kind] : {std::pair{'-', Node::Negate}, std::pair{'~', Node::Invert}}) {
        if (!p.Take(punct)) continue;
        if (!ParseTerm(p, out)) return false;
        out.push_back({kind, 0, 0, {}});
        return true;
    }
    return p.Fail("expected a value, found " + p.Here());
}

bool ParseExpr(Parser& p, Expr& out, int minPrecedence) {
    if (!ParseTerm(p, out)) return false;
    for (;;) {
        const int precedence = Precedence(p.Peek());
        if (precedence == 0 || precedence < minPrecedence) return true;
        const char op = p.Peek().punct;
        ++p.at;
        if (!ParseExpr(p, out, precedence + 1)) return false;
        out.push_back({Node::Binary, op, 0, {}});
    }
}

// ---------------------------------------------------------------- statements

enum class Index : uint8_t { Offset, AccA, AccB, AccD, Inc1, Inc2, Dec1, Dec2, Pc, Pcr, Extended };

struct Address {
    enum Mode : uint8_t { Immediate, Absolute, Indexed };
    Mode mode = Absolute;
    Index index = Index::Offset;
    uint8_t reg = 0; // X, Y, U, S = 0..3
    bool indirect = false;
    char force = 0; // '<' or '>'
    bool hasExpr = false;
    Expr expr;
};

// What pass 1 decided about an operand's size.
enum Choice : uint8_t { kUndecided, kDirect, kExtended, kNoOffset, kOffset5, kOffset8, kOffset16 };

struct Statement {
    int file = 0;
    int line = 0;
    std::string text; // the source line, for the listing
    std::string label;
    std::string name; // mnemonic as written, upper case
    Mnemonic mnemonic;
    Address address;
    std::vector<Expr> exprs; // FCB, FDB, branch target, directive values
    std::string data;        // FCC text, INCLUDE file name
    uint8_t post = 0;        // register list or register pair
    bool broken = false;     // a syntax error: the statement places nothing
    // Decided in pass 1 and kept for pass 2.
    Choice choice = kUndecided;
    int size = 0;
    int64_t fixed = 0; // ORG address, RMB and FILL count, SETDP page
    int64_t pc = 0;    // address at the start of the statement, in the current pass
};

struct Symbol {
    int64_t value = 0;
    bool known = false;
    int statement = -1; // the defining statement
};

struct Diagnostic {
    int statement; // -1 when no line is to blame
    std::string text;
};

struct Value {
    int64_t value = 0;
    bool known = false;
};

struct Assembly {
    Options options;
    SourceReader reader;
    std::vector<std::string> files;
    std::vector<Statement> statements;
    std::map<std::string, Symbol> symbols;
    std::vector<Diagnostic> diagnostics;
    std::set<std::pair<int, std::string>> reported;
    int pass = 0;                  // 0 while parsing
    int current = -1;              // index of the statement being handled
    int64_t pc = 0;                // location counter
    int64_t dp = 0;                // page that SETDP chose
    std::vector<std::string> open; // files being read, outermost first
    std::array<uint8_t, kAddressEnd> memory{};
    std::vector<int> owner = std::vector<int>(kAddressEnd, -1); // statement that placed each byte
    std::string listing;
};

std::string Where(const Assembly& a, int statement) {
    const Statement& s = a.statements[static_cast<size_t>(statement)];
    return a.files[static_cast<size_t>(s.file)] + ":" + std::to_string(s.line);
}

// Records an error against the current statement; the same message for the
// same statement is kept once, whichever pass finds it.
void Error(Assembly& a, const std::string& message) {
    const std::string text = a.current < 0 ? message : Where(a, a.current) + ": " + message;
    if (!a.reported.insert({a.current, text}).second) return;
    a.diagnostics.push_back({a.current, text});
}

// ---------------------------------------------------------------- evaluation

Value Evaluate(Assembly& a, const Expr& expr) {
    std::vector<Value> stack;
    for (const Node& node : expr) {
        switch (node.kind) {
            case Node::Number: stack.push_back({node.number, true}); break;
            case Node::Here: stack.push_back({a.statements[static_cast<size_t>(a.current)].pc, true}); break;
            case Node::Symbol: {
                auto found = a.symbols.find(node.name);
                if (found != a.symbols.end() && found->second.known) {
                    stack.push_back({found->second.value, true});
                    break;
                }
                if (a.pass == 2)
                    Error(a, found == a.symbols.end() ? "undefined symbol '" + node.name + "'"
                                                      : "symbol '" + node.name + "' has no value");
                stack.push_back({0, false});
                break;
            }
            case Node::Negate:
                stack.back().value = static_cast<int64_t>(0 - static_cast<uint64_t>(stack.back().value));
                break;
            case Node::Invert: stack.back().value = ~stack.back().value; break;
            case Node::Binary: {
                const Value right = stack.back();
                stack.pop_back();
                Value& left = stack.back();
                left.known = left.known && right.known;
                if (!left.known) break;
                const uint64_t l = static_cast<uint64_t>(left.value), r = static_cast<uint64_t>(right.value);
                switch (node.op) {
                    case '+': left.value = static_cast<int64_t>(l + r); break;
                    case '-': left.value = static_cast<int64_t>(l - r); break;
                    case '*': left.value = static_cast<int64_t>(l * r); break;
                    case '&': left.value = static_cast<int64_t>(l & r); break;
                    case '|': left.value = static_cast<int64_t>(l | r); break;
                    case '^': left.value = static_cast<int64_t>(l ^ r); break;
                    case '/':
                        if (right.value == 0) {
                            Error(a, "division by zero");
                            left = {0, false};
                        } else if (right.value == -1) {
                            left.value = static_cast<int64_t>(0 - l);
                        } else {
                            left.value /= right.value;
                        }
                        break;
                    case 'L':
                    case 'R':
                        if (right.value < 0 || right.value > 63) {
                            Error(a, "shift count " + std::to_string(right.value) + " out of range 0..63");
                            left = {0, false};
                        } else if (node.op == 'L') {
                            left.value = static_cast<int64_t>(l << r);
                        } else {
                            left.value >>= right.value;
                        }
                        break;
                }
                break;
            }
        }
    }
    return stack.back();
}

// Appends a value as one byte or a big-endian word after checking its range in
// pass 2 (in pass 1 values may still be unknown).
void Put(Assembly& a, std::vector<uint8_t>& out, Value v, int64_t low, int64_t high, int bytes,
         const char* what) {
    if (a.pass == 2 && v.known && (v.value < low || v.value > high))
        Error(a, std::string(what) + " " + std::to_string(v.value) + " out of range " + std::to_string(low) +
                     ".." + std::to_string(high));
    if (bytes == 2) out.push_back(static_cast<uint8_t>(v.value >> 8));
    out.push_back(static_cast<uint8_t>(v.value));
}

void PutByte(Assembly& a, std::vector<uint8_t>& out, Value v, const char* what) {
    Put(a, out, v, -128, 255, 1, what);
}
void PutWord(Assembly& a, std::vector<uint8_t>& out, Value v, const char* what) {
    Put(a, out, v, -32768, 65535, 2, what);
}
void PutOffset8(Assembly& a, std::vector<uint8_t>& out, Value v, const char* what) {
    Put(a, out, v, -128, 127, 1, what);
}

// The signed 16-bit distance from `from` to `to`, as the CPU adds it modulo 0x10000.
int64_t Distance(int64_t to, int64_t from) {
    const auto d = static_cast<int64_t>((static_cast<uint64_t>(to) - static_cast<uint64_t>(from)) & 0xFFFF);
    return d >= 0x8000 ? d - 0x10000 : d;
}

bool Fits(int64_t value, int64_t low, int64_t high) {
    return value >= low && value <= high;
}

// ---------------------------------------------------------------- parsing

bool ParseRegisterAfterComma(Parser& p, Address& address) {
    int decrements = 0;
    while (decrements < 2 && p.Take('-'))
        ++decrements;
    const Token& token = p.Peek();
    const std::string name = token.type == TokenType::Name ? Upper(token.text) : "";
    static const std::array<const char*, 4> indexRegisters = {"X", "Y", "U", "S"};
    const auto found = std::find(indexRegisters.begin(), indexRegisters.end(), name);
    const bool pc = name == "PC" || name == "PCR";
    if (found == indexRegisters.end() && !pc)
        return p.Fail("expected X, Y, U, S, PC or PCR after ',', found " + p.Here());
    ++p.at;
    int increments = 0;
    if (decrements == 0)
        while (increments < 2 && p.Take('+'))
            ++increments;
    const bool hasOffset = address.hasExpr || address.index != Index::Offset;
    if (pc) {
        if (decrements || increments) return p.Fail("PC cannot be incremented or decremented");
        if (!address.hasExpr) return p.Fail(name + " needs a constant offset before the comma");
        address.index = name == "PC" ? Index::Pc : Index::Pcr;
        return true;
    }
    address.reg = static_cast<uint8_t>(found - indexRegisters.begin());
    if (decrements || increments) {
        if (hasOffset) return p.Fail("auto-increment and auto-decrement take no offset");
        if (address.indirect && (decrements == 1 || increments == 1))
            return p.Fail("[,R+] and [,-R] do not exist; use [,R++] or [,--R]");
        static constexpr Index inc[3] = {Index::Offset, Index::Inc1, Index::Inc2};
        static constexpr Index dec[3] = {Index::Offset, Index::Dec1, Index::Dec2};
        address.index = increments ? inc[increments] : dec[decrements];
    }
    return true;
}

// Parses any operand of the General, Memory and Lea groups (and of ORCC & co).
bool ParseAddress(Parser& p, Address& address) {
    if (p.Take('#')) {
        address.mode = Address::Immediate;
        address.hasExpr = true;
        return ParseExpr(p, address.expr);
    }
    address.indirect = p.Take('[');
    const Token& first = p.Peek();
    const std::string firstName = first.type == TokenType::Name ? Upper(first.text) : "";
    if ((firstName == "A" || firstName == "B" || firstName == "D") && p.IsPunct(',', 1)) {
        address.index = firstName == "A" ? Index::AccA : firstName == "B" ? Index::AccB : Index::AccD;
        ++p.at;
    } else if (!p.IsPunct(',')) {
        if (p.IsPunct('<') || p.IsPunct('>')) address.force = p.tokens[p.at++].punct;
        address.hasExpr = true;
        if (!ParseExpr(p, address.expr)) return false;
    }
    if (p.Take(',')) {
        address.mode = Address::Indexed;
        if (!ParseRegisterAfterComma(p, address)) return false;
    } else if (address.indirect) {
        if (address.force == '<') return p.Fail("'<' cannot force a direct address inside [ ]");
        address.mode = Address::Indexed;
        address.index = Index::Extended;
    }
    if (address.indirect && !p.Take(']')) return p.Fail("missing ']' before " + p.Here());
    return true;
}

bool ParseRegisterList(Parser& p, const Mnemonic& m, const std::string& name, uint8_t& post) {
    const char* other = (m.flags & kUserStack) ? "S" : "U";
    const char* own = (m.flags & kUserStack) ? "U" : "S";
    do {
        const Token& token = p.Peek();
        const std::string reg = token.type == TokenType::Name ? Upper(token.text) : "";
        static const std::map<std::string, uint8_t> bits = {{"CC", 0x01}, {"A", 0x02},  {"B", 0x04},
                                                            {"D", 0x06},  {"DP", 0x08}, {"X", 0x10},
                                                            {"Y", 0x20},  {"PC", 0x80}};
        uint8_t bit = 0;
        if (reg == other) {
            bit = 0x40;
        } else if (reg == own) {
            return p.Fail(name + " cannot push or pull " + own + ", its own stack pointer");
        } else if (auto found = bits.find(reg); found != bits.end()) {
            bit = found->second;
        } else {
            return p.Fail("expected a register, found " + p.Here());
        }
        if (post & bit) return p.Fail("register " + reg + " overlaps one listed before");
        post |= bit;
        ++p.at;
    } while (p.Take(','));
    return true;
}

bool ParsePair(Parser& p, uint8_t& post) {
    int codes[2];
    for (int i = 0; i < 2; ++i) {
        if (i == 1 && !p.Take(','))
            return p.Fail("expected ',' between the two registers, found " + p.Here());
        const Token& token = p.Peek();
        codes[i] = token.type == TokenType::Name ? PairCode(token.text) : -1;
        if (codes[i] < 0) return p.Fail("expected a register, found " + p.Here());
        ++p.at;
    }
    if ((codes[0] < 8) != (codes[1] < 8)) return p.Fail("cannot pair an 8-bit with a 16-bit register");
    post = static_cast<uint8_t>(codes[0] << 4 | codes[1]);
    return true;
}

bool ParseList(Parser& p, std::vector<Expr>& exprs) {
    do {
        exprs.emplace_back();
        if (!ParseExpr(p, exprs.back())) return false;
    } while (p.Take(','));
    return true;
}

// The text after a delimited string or file name must be empty or a comment.
bool OnlyCommentAfter(std::string_view rest) {
    size_t i = 0;
    while (i < rest.size() && IsBlank(rest[i]))
        ++i;
    return i == rest.size() || rest[i] == ';';
}

// Reads FCC's delimited text; returns an error message or "".
std::string ParseDelimited(std::string_view operand, std::string& data) {
    size_t i = 0;
    while (i < operand.size() && IsBlank(operand[i]))
        ++i;
    if (i == operand.size() || operand[i] == ';') return "missing string";
    const char delimiter = operand[i];
    if (IsNameChar(delimiter)) return "the string needs a delimiter such as \" or /";
    const size_t close = operand.find(delimiter, i + 1);
    if (close == std::string_view::npos) return "unterminated string";
    data = std::string(operand.substr(i + 1, close - i - 1));
    return OnlyCommentAfter(operand.substr(close + 1)) ? "" : "unexpected text after the string";
}

std::string ParseFileName(std::string_view operand, std::string& data) {
    size_t i = 0;
    while (i < operand.size() && IsBlank(operand[i]))
        ++i;
    if (i == operand.size() || operand[i] == ';') return "missing file name";
    size_t end;
    if (operand[i] == '"') {
        end = operand.find('"', i + 1);
        if (end == std::string_view::npos) return "unterminated file name";
        data = std::string(operand.substr(i + 1, end - i - 1));
        ++end;
    } else {
        end = i;
        while (end < operand.size() && !IsBlank(operand[end]) && operand[end] != ';')
            ++end;
        data = std::string(operand.substr(i, end - i));
    }
    if (data.empty()) return "missing file name";
    return OnlyCommentAfter(operand.substr(end)) ? "" : "unexpected text after the file name";
}

// Parses the operand of statement s from the text after its mnemonic; returns
// an error message or "".
std::string ParseOperand(Statement& s, std::string_view operand) {
    const Op op = s.mnemonic.op;
    if (op == Op::Fcc) return ParseDelimited(operand, s.data);
    if (op == Op::Include) return ParseFileName(operand, s.data);

    std::vector<Token> tokens;
    std::string error;
    if (!Tokenize(operand, tokens, error)) return error;
    Parser p{tokens, 0, {}};
    if (op == Op::Inherent) return p.AtEnd() ? "" : s.name + " takes no operand";
    if (p.AtEnd()) return "missing operand for " + s.name;

    bool ok = true;
    switch (op) {
        case Op::Immediate8:
        case Op::General:
        case Op::Memory:
        case Op::Lea: {
            ok = ParseAddress(p, s.address);
            if (!ok) break;
            const Address::Mode mode = s.address.mode;
            if (mode == Address::Immediate && op != Op::Immediate8 &&
                (op != Op::General || (s.mnemonic.flags & kNoImmediate)))
                return s.name + " cannot take an immediate operand";
            if (op == Op::Immediate8 && mode != Address::Immediate)
                return s.name + " takes only an immediate operand (#value)";
            if (op == Op::Lea && mode != Address::Indexed) return s.name + " needs an indexed operand";
            break;
        }
        case Op::Branch:
        case Op::LongBranch:
            s.exprs.emplace_back();
            ok = ParseExpr(p, s.exprs.back());
            break;
        case Op::Stack: ok = ParseRegisterList(p, s.mnemonic, s.name, s.post); break;
        case Op::Pair: ok = ParsePair(p, s.post); break;
        case Op::Fcb:
        case Op::Fdb:
        case Op::Fill: ok = ParseList(p, s.exprs); break;
        default:
            s.exprs.emplace_back();
            ok = ParseExpr(p, s.exprs.back());
            break;
    }
    if (!ok) return p.error;
    if (op == Op::Fill && s.exprs.size() != 2) return "FILL takes a value and a count";
    if (!p.AtEnd()) return "unexpected " + p.Here() + " after the operand";
    return "";
}

// Splits a line into label, mnemonic and operand and parses them.
void ParseStatement(Assembly& a, Statement& s) {
    std::string_view line = s.text;
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i == line.size() || line[i] == ';' || line[i] == '*') return;

    auto readName = [&](size_t from) {
        size_t end = from;
        while (end < line.size() && IsNameChar(line[end]))
            ++end;
        return end;
    };
    size_t end = IsNameStart(line[i]) ? readName(i) : i;
    const bool colon = end < line.size() && line[end] == ':';
    if (i == 0 || colon) {
        if (end == i) {
            Error(a, "a label must start with a letter, '_' or '.'");
            s.broken = true;
            return;
        }
        s.label = std::string(line.substr(i, end - i));
        i = end + (colon ? 1 : 0);
        if (i < line.size() && !IsBlank(line[i]) && line[i] != ';') {
            Error(a, "bad character '" + std::string(1, line[i]) + "' after label '" + s.label + "'");
            s.broken = true;
            return;
        }
        if (IsRegisterName(s.label)) {
            Error(a, "'" + s.label + "' is a register name and cannot be a label");
            s.label.clear();
        }
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size() || line[i] == ';') return;
        end = IsNameStart(line[i]) ? readName(i) : i;
    }
    if (end == i) {
        Error(a, "expected a mnemonic, found '" + std::string(1, line[i]) + "'");
        s.broken = true;
        return;
    }
    s.name = Upper(line.substr(i, end - i));
    auto found = Mnemonics().find(s.name);
    if (found == Mnemonics().end()) {
        Error(a, "unknown mnemonic '" + std::string(line.substr(i, end - i)) + "'");
        s.broken = true;
        return;
    }
    s.mnemonic = found->second;
    const Op op = s.mnemonic.op;
    if (!s.label.empty() && (op == Op::Org || op == Op::Setdp || op == Op::Include)) {
        Error(a, s.name + " takes no label");
        s.label.clear();
    }
    if (s.label.empty() && op == Op::Equ) {
        Error(a, "EQU needs a label");
        s.broken = true;
        return;
    }
    const std::string error = ParseOperand(s, line.substr(end));
    if (!error.empty()) {
        Error(a, error);
        s.broken = true;
    }
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

void LoadFile(Assembly& a, const std::string& path, const std::string& text, int depth) {
    const int file = static_cast<int>(a.files.size());
    a.files.push_back(path);
    a.open.push_back(path);
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Statement s;
        s.file = file;
        s.line = number;
        s.text = line;
        a.statements.push_back(std::move(s));
        a.current = static_cast<int>(a.statements.size()) - 1;
        Statement& current = a.statements.back();
        ParseStatement(a, current);
        if (current.mnemonic.op != Op::Include || current.broken) continue;
        if (depth + 1 >= kMaxIncludeDepth) {
            Error(a, "includes nested more than " + std::to_string(kMaxIncludeDepth) + " deep");
            continue;
        }
        const std::string name = current.data;
        std::vector<std::string> candidates;
        if (name[0] == '/') {
            candidates.push_back(name);
        } else {
            candidates.push_back(DirectoryOf(path) + name);
            for (const std::string& dir : a.options.includeDirs)
                candidates.push_back(dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name);
        }
        const int including = a.current;
        bool found = false;
        for (const std::string& candidate : candidates) {
            std::optional<std::string> included = a.reader ? a.reader(candidate) : std::nullopt;
            if (!included) continue;
            found = true;
            if (std::find(a.open.begin(), a.open.end(), candidate) != a.open.end())
                Error(a, "'" + candidate + "' includes itself");
            else
                LoadFile(a, candidate, *included, depth + 1);
            break;
        }
        a.current = including;
        if (!found) Error(a, "cannot find include file '" + name + "'");
    }
    a.open.pop_back();
}

// ---------------------------------------------------------------- passes

void Define(Assembly& a, Statement& s, Value v) {
    if (s.label.empty()) return;
    Symbol& symbol = a.symbols[s.label];
    if (symbol.statement >= 0 && symbol.statement != a.current) {
        if (a.pass == 1)
            Error(a, "symbol '" + s.label + "' already defined at " + Where(a, symbol.statement));
        return;
    }
    if (a.pass == 2 && symbol.known && v.known && symbol.value != v.value)
        Error(a, "'" + s.label + "' moved from " + Hex(symbol.value) + " to " + Hex(v.value) +
                     " between passes");
    symbol = {v.value, v.known, a.current};
}

// Places the statement's bytes at the location counter: in pass 2 into the
// memory, checking the image bounds and bytes placed twice.
void Emit(Assembly& a, const std::vector<uint8_t>& bytes) {
    bool outside = false, overlap = false;
    const int64_t imageEnd = static_cast<int64_t>(a.options.base) + a.options.size;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int64_t address = a.pc + static_cast<int64_t>(i);
        if (address >= kAddressEnd) {
            if (a.pass == 2) Error(a, "code runs past $FFFF");
            break;
        }
        if (a.pass != 2) continue;
        if (address < a.options.base || address >= imageEnd) {
            if (!outside)
                Error(a, "address " + Hex(address) + " lies outside the image " + Hex(a.options.base) + "-" +
                             Hex(imageEnd - 1));
            outside = true;
            continue;
        }
        int& owner = a.owner[static_cast<size_t>(address)];
        if (owner >= 0 && owner != a.current) {
            if (!overlap) Error(a, "address " + Hex(address) + " already holds code from " + Where(a, owner));
            overlap = true;
            continue;
        }
        owner = a.current;
        a.memory[static_cast<size_t>(address)] = bytes[i];
    }
    a.pc = std::min(a.pc + static_cast<int64_t>(bytes.size()), kAddressEnd);
}

// Evaluates a value that moves the location counter or chooses the direct page:
// it must be known in pass 1, and pass 2 keeps what pass 1 found.
int64_t FixedValue(Assembly& a, Statement& s, const Expr& expr, const char* what, int64_t low, int64_t high,
                   int64_t fallback) {
    const Value v = Evaluate(a, expr);
    if (a.pass != 1) return s.fixed;
    s.fixed = fallback;
    if (!v.known)
        Error(a, s.name + " cannot use a symbol defined later");
    else if (!Fits(v.value, low, high))
        Error(a, s.name + " " + what + " " + std::to_string(v.value) + " out of range " +
                     std::to_string(low) + ".." + std::to_string(high));
    else
        s.fixed = v.value;
    return s.fixed;
}

// Direct when the address is known and lies in the direct page, or when forced.
Choice ChooseDirect(const Assembly& a, const Address& address, Value v) {
    if (address.force) return address.force == '<' ? kDirect : kExtended;
    return v.known && Fits(v.value, 0, 0xFFFF) && (v.value >> 8) == a.dp ? kDirect : kExtended;
}

Choice ChooseOffset(const Address& address, Value v, int64_t offset8) {
    if (address.force) return address.force == '<' ? kOffset8 : kOffset16;
    if (!v.known) return kOffset16;
    if (address.index == Index::Offset) {
        if (v.value == 0) return kNoOffset;
        if (!address.indirect && Fits(v.value, -16, 15)) return kOffset5;
    }
    return Fits(offset8, -128, 127) ? kOffset8 : kOffset16;
}

void EncodeIndexed(Assembly& a, Statement& s, std::vector<uint8_t>& out) {
    const Address& ad = s.address;
    const uint8_t rr = static_cast<uint8_t>(ad.reg << 5);
    const uint8_t indirect = ad.indirect ? 0x10 : 0;
    static constexpr uint8_t simple[] = {0x84, 0x86, 0x85, 0x8B, 0x80, 0x81, 0x82, 0x83}; // Offset..Dec2
    if (ad.index == Index::Extended) {
        out.push_back(0x9F);
        PutWord(a, out, Evaluate(a, ad.expr), "address");
        return;
    }
    if (ad.index <= Index::Dec2 && !ad.hasExpr) {
        out.push_back(static_cast<uint8_t>(simple[static_cast<int>(ad.index)] | rr | indirect));
        return;
    }
    const Value v = Evaluate(a, ad.expr);
    // For PCR the offset is measured from the end of the instruction, whose
    // length depends on the choice; other forms take the value as the offset.
    const int64_t end8 = s.pc + static_cast<int64_t>(out.size()) + 2;
    const int64_t end16 = end8 + 1;
    const bool pcr = ad.index == Index::Pcr;
    if (a.pass == 1) s.choice = ChooseOffset(ad, v, pcr ? Distance(v.value, end8) : v.value);
    if (pcr && a.pass == 2 && v.known && !Fits(v.value, -32768, 0xFFFF))
        Error(a, "address " + std::to_string(v.value) + " out of range -32768..65535");
    const bool pc = ad.index == Index::Pc || pcr;
    switch (s.choice) {
        case kNoOffset:
            if (a.pass == 2 && v.value != 0) Error(a, "offset changed between passes");
            out.push_back(static_cast<uint8_t>(0x84 | rr | indirect));
            break;
        case kOffset5:
            if (a.pass == 2 && !Fits(v.value, -16, 15)) Error(a, "offset changed between passes");
            out.push_back(static_cast<uint8_t>(rr | (v.value & 0x1F)));
            break;
        case kOffset8:
            out.push_back(static_cast<uint8_t>((pc ? 0x8C : (0x88 | rr)) | indirect));
            PutOffset8(a, out, pcr ? Value{Distance(v.value, end8), v.known} : v, "offset");
            break;
        default:
            out.push_back(static_cast<uint8_t>((pc ? 0x8D : (0x89 | rr)) | indirect));
            PutWord(a, out, pcr ? Value{Distance(v.value, end16), v.known} : v, "offset");
            break;
    }
}

void AssembleAddressed(Assembly& a, Statement& s, std::vector<uint8_t>& out) {
    const Address& ad = s.address;
    const bool memoryGroup = s.mnemonic.op == Op::Memory;
    const size_t opcode = out.size() - 1;
    if (ad.mode == Address::Immediate) {
        const Value v = Evaluate(a, ad.expr);
        if (s.mnemonic.flags & kWide)
            PutWord(a, out, v, "immediate value");
        else
            PutByte(a, out, v, "immediate value");
        return;
    }
    if (ad.mode == Address::Indexed) {
        if (s.mnemonic.op != Op::Lea)
            out[opcode] = static_cast<uint8_t>(out[opcode] + (memoryGroup ? 0x60 : 0x20));
        EncodeIndexed(a, s, out);
        return;
    }
    const Value v = Evaluate(a, ad.expr);
    if (a.pass == 1) s.choice = ChooseDirect(a, ad, v);
    if (s.choice == kDirect) {
        if (!memoryGroup) out[opcode] = static_cast<uint8_t>(out[opcode] + 0x10);
        if (a.pass == 2 && v.known && !Fits(v.value, 0, 0xFF) &&
            !(Fits(v.value, 0, 0xFFFF) && (v.value >> 8) == a.dp))
            Error(a, "address " + Hex(v.value) + " is not in the direct page " + Hex(a.dp * 256) + "-" +
                         Hex(a.dp * 256 + 255));
        out.push_back(static_cast<uint8_t>(v.value));
    } else {
        out[opcode] = static_cast<uint8_t>(out[opcode] + (memoryGroup ? 0x70 : 0x30));
        PutWord(a, out, v, "address");
    }
}

// The bytes of one instruction.
std::vector<uint8_t> AssembleInstruction(Assembly& a, Statement& s) {
    const Mnemonic& m = s.mnemonic;
    std::vector<uint8_t> out;
    if (m.prefix) out.push_back(m.prefix);
    out.push_back(m.opcode);
    switch (m.op) {
        case Op::Immediate8:
        case Op::General:
        case Op::Memory:
        case Op::Lea: AssembleAddressed(a, s, out); break;
        case Op::Stack:
        case Op::Pair: out.push_back(s.post); break;
        case Op::Branch:
        case Op::LongBranch: {
            const Value target = Evaluate(a, s.exprs[0]);
            if (a.pass == 2 && target.known && !Fits(target.value, -32768, 0xFFFF))
                Error(a, "branch target " + std::to_string(target.value) + " out of range -32768..65535");
            const int64_t end = s.pc + static_cast<int64_t>(out.size()) + (m.op == Op::Branch ? 1 : 2);
            const int64_t distance = Distance(target.value, end);
            if (m.op == Op::Branch) {
                if (a.pass == 2 && target.known && !Fits(distance, -128, 127))
                    Error(a, "branch to " + Hex(target.value) + " out of range (offset " +
                                 std::to_string(distance) + "); use L" + s.name);
                out.push_back(static_cast<uint8_t>(distance));
            } else {
                out.push_back(static_cast<uint8_t>(distance >> 8));
                out.push_back(static_cast<uint8_t>(distance));
            }
            break;
        }
        default: break;
    }
    return out;
}

void AppendListing(Assembly& a, const Statement& s, const std::vector<uint8_t>& bytes, bool showAddress,
                   std::optional<int64_t> value) {
    constexpr size_t kBytesPerRow = 5;
    const size_t rows =
        s.mnemonic.op == Op::Fill ? 1 : std::max<size_t>(1, (bytes.size() + 4) / kBytesPerRow);
    for (size_t row = 0; row < rows; ++row) {
        char head[48];
        if (value)
            std::snprintf(head, sizeof head, "      = %-14s", Hex(*value).c_str());
        else if (showAddress)
            std::snprintf(head, sizeof head, "%04llX  ",
                          static_cast<unsigned long long>(s.pc + static_cast<int64_t>(row * kBytesPerRow)));
        else
            std::snprintf(head, sizeof head, "      ");
        std::string text = head;
        for (size_t i = row * kBytesPerRow; i < bytes.size() && i < (row + 1) * kBytesPerRow; ++i) {
            char byte[4];
            std::snprintf(byte, sizeof byte, "%02X ", bytes[i]);
            text += byte;
        }
        if (row == 0) {
            text.resize(std::max<size_t>(text.size(), 22), ' ');
            text += s.text;
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        a.listing += text + "\n";
    }
}

void RunStatement(Assembly& a, Statement& s) {
    s.pc = a.pc;
    std::vector<uint8_t> bytes;
    std::optional<int64_t> listedValue;
    bool showAddress = !s.label.empty();
    const Op op = s.broken ? Op::None : s.mnemonic.op;
    if (op != Op::Equ) Define(a, s, {a.pc, true}); // ORG, SETDP and INCLUDE have no label
    switch (op) {
        case Op::None:
        case Op::Include: break;
        case Op::Org:
            a.pc = FixedValue(a, s, s.exprs[0], "address", 0, 0xFFFF, a.pc);
            s.pc = a.pc;
            showAddress = true;
            break;
        case Op::Setdp: a.dp = FixedValue(a, s, s.exprs[0], "page", 0, 0xFF, a.dp); break;
        case Op::Equ: {
            const Value v = Evaluate(a, s.exprs[0]);
            Define(a, s, v);
            if (v.known) listedValue = v.value;
            break;
        }
        case Op::Rmb: {
            const int64_t count = FixedValue(a, s, s.exprs[0], "count", 0, kAddressEnd, 0);
            if (a.pass == 2 && a.pc + count > kAddressEnd) Error(a, "RMB runs past $FFFF");
            a.pc = std::min(a.pc + count, kAddressEnd);
            showAddress = true;
            break;
        }
        case Op::Fill: {
            const int64_t count = FixedValue(a, s, s.exprs[1], "count", 0, kAddressEnd, 0);
            std::vector<uint8_t> one;
            PutByte(a, one, Evaluate(a, s.exprs[0]), "FILL value");
            bytes.assign(static_cast<size_t>(count), one[0]);
            showAddress = true;
            break;
        }
        case Op::Fcb:
            for (const Expr& expr : s.exprs)
                PutByte(a, bytes, Evaluate(a, expr), "byte");
            break;
        case Op::Fdb:
            for (const Expr& expr : s.exprs)
                PutWord(a, bytes, Evaluate(a, expr), "word");
            break;
        case Op::Fcc: bytes.assign(s.data.begin(), s.data.end()); break;
        default:
            bytes = AssembleInstruction(a, s);
            if (a.pass == 1)
                s.size = static_cast<int>(bytes.size());
            else if (s.size != static_cast<int>(bytes.size()))
                Error(a, "instruction size changed between passes");
            break;
    }
    Emit(a, bytes);
    if (a.pass == 2) AppendListing(a, s, bytes, showAddress || !bytes.empty(), listedValue);
}

void RunPass(Assembly& a, int pass) {
    a.pass = pass;
    a.pc = a.options.base;
    a.dp = 0;
    for (size_t i = 0; i < a.statements.size(); ++i) {
        a.current = static_cast<int>(i);
        RunStatement(a, a.statements[i]);
    }
    a.current = -1;
}

// After pass 1, gives a value to equates that refer to symbols defined after
// them, repeating while any of them gains one.
void ResolveEquates(Assembly& a) {
    for (bool progress = true; progress;) {
        progress = false;
        for (auto& [name, symbol] : a.symbols) {
            if (symbol.known || symbol.statement < 0) continue;
            Statement& s = a.statements[static_cast<size_t>(symbol.statement)];
            if (s.mnemonic.op != Op::Equ || s.broken) continue;
            a.current = symbol.statement;
            const Value v = Evaluate(a, s.exprs[0]);
            if (!v.known) continue;
            symbol.value = v.value;
            symbol.known = true;
            progress = true;
        }
    }
    a.current = -1;
}

void AppendSymbolTable(Assembly& a) {
    a.listing += "\nSymbols\n";
    for (const auto& [name, symbol] : a.symbols) {
        const std::string value =
            Fits(symbol.value, 0, 0xFFFF) ? Hex(symbol.value) : std::to_string(symbol.value);
        a.listing += name + std::string(name.size() < 24 ? 24 - name.size() : 1, ' ') + value + "\n";
    }
}

std::vector<std::string> CollectErrors(Assembly& a) {
    std::stable_sort(a.diagnostics.begin(), a.diagnostics.end(),
                     [](const Diagnostic& x, const Diagnostic& y) { return x.statement < y.statement; });
    std::vector<std::string> errors;
    for (const Diagnostic& d : a.diagnostics) {
        if (errors.size() == kMaxErrors) {
            errors.push_back("... and " + std::to_string(a.diagnostics.size() - kMaxErrors) + " more errors");
            break;
        }
        errors.push_back(d.text);
    }
    return errors;
}

} // namespace

Result Assemble(const std::string& path, const Options& options, const SourceReader& reader) {
    Result result;
    if (options.size == 0 || options.base >= kAddressEnd || options.size > kAddressEnd - options.base) {
        result.errors.push_back("image of " + std::to_string(options.size) + " bytes at " +
                                Hex(options.base) + " does not fit in the 64 KB address space");
        return result;
    }
    std::optional<std::string> text = reader ? reader(path) : std::nullopt;
    if (!text) {
        result.errors.push_back(path + ": cannot read the file");
        return result;
    }
    auto a = std::make_unique<Assembly>();
    a->options = options;
    a->reader = reader;
    LoadFile(*a, path, *text, 0);
    RunPass(*a, 1);
    ResolveEquates(*a);
    RunPass(*a, 2);
    result.errors = CollectErrors(*a);
    if (!result.errors.empty()) return result;

    result.image.assign(options.size, 0xFF);
    for (uint32_t i = 0; i < options.size; ++i)
        if (a->owner[options.base + i] >= 0) result.image[i] = a->memory[options.base + i];
    for (const auto& [name, symbol] : a->symbols)
        if (symbol.known) result.symbols[name] = symbol.value;
    AppendSymbolTable(*a);
    result.listing = std::move(a->listing);
    return result;
}

Result AssembleFile(const std::string& path, const Options& options) {
    return Assemble(path, options, [](const std::string& file) -> std::optional<std::string> {
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    });
}

Result AssembleSource(const std::string& name, const std::string& text, const Options& options,
                      const SourceReader& reader) {
    return Assemble(name, options, [&](const std::string& path) -> std::optional<std::string> {
        if (path == name) return text;
        return reader ? reader(path) : std::nullopt;
    });
}

} // namespace asm6809
