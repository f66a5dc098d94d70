// A two-pass 6809 assembler for the project's own ROM images and test programs.
//
// Assemble (or AssembleFile, AssembleSource) turns one source file and its
// includes into a raw image of `size` bytes that starts at address `base`, a
// listing and the symbol table, or into a list of errors "file:line: message".
// When there is any error the image is empty: there is never a partial image.
//
// Source syntax, one statement per line:
//     [label[:]] [mnemonic [operand]] [; comment]
// - A label starts in column 1 (the colon is optional there) or, indented, ends
//   with a colon. Labels are case-sensitive; mnemonics, directives and register
//   names are not, and register names cannot be labels. A line whose first
//   non-blank character is '*' or ';' is a comment.
// - Numbers: decimal, $hex or 0xhex, %binary, 'c (or 'c') for a character code.
//   '*' where a value is expected is the address of the current statement.
//   Operators, loosest first: |  ^  &  << >>  + -  * /, with unary - + ~ and
//   parentheses; arithmetic is 64-bit and values are range-checked where used.
// - Addressing: #imm, addr (direct when the address lies in the page chosen by
//   SETDP, default 0, and is known at that point; extended otherwise), <addr
//   forces direct, >addr extended; indexed ,R  n,R  A,R  B,R  D,R  ,R+  ,R++
//   ,-R  ,--R  n,PCR (n is the target address)  n,PC (n is the offset), with <
//   and > forcing 8- and 16-bit offsets; any of them in [ ] for indirection,
//   and [addr] for extended indirect. R is X, Y, U or S.
// - A forward reference that decides an operand's size (direct or extended,
//   offset width) takes the long form, so addresses never shift between passes.
// - Directives: ORG addr; label EQU value; FCB b,...; FDB w,...; FCC /text/
//   (any delimiter); RMB count; FILL value,count (pad up to an address with
//   FILL $FF,addr-*); SETDP page; INCLUDE "file" (looked up beside the including
//   file, then in the include directories). Values that move the location
//   counter (ORG, RMB, the FILL count) and SETDP may not refer forward.
// - Errors: unknown mnemonic, bad operand, undefined or twice-defined symbol,
//   values and branches out of range, bytes outside the image, two statements
//   placing bytes at the same address, missing include files.
//
// Image bytes that no statement places are 0xFF.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace asm6809 {

struct Options {
    uint32_t base = 0;                    // address of the image's first byte
    uint32_t size = 0x10000;              // bytes in the image; base + size <= 0x10000
    std::vector<std::string> includeDirs; // searched after the including file's directory
};

// Returns the text of the file at path, or nothing when there is no such file.
using SourceReader = std::function<std::optional<std::string>(const std::string& path)>;

struct Result {
    std::vector<std::string> errors; // "file:line: message" in source order; empty on success
    std::vector<uint8_t> image;      // `size` bytes for `base` onwards; empty when there are errors
    std::string listing;             // address, bytes and source of every line, then the symbols
    std::map<std::string, int64_t> symbols;
};

// Assembles the file at path; the reader supplies it and every included file.
Result Assemble(const std::string& path, const Options& options, const SourceReader& reader);

// Assembles a file from disk.
Result AssembleFile(const std::string& path, const Options& options);

// Assembles text given in memory under the name `name`; includes go to reader
// (by default there are no other files).
Result AssembleSource(const std::string& name, const std::string& text, const Options& options,
                      const SourceReader& reader = {});

// The command line: asm6809 -o out.bin [--base N] [--size N] [-l listing] [-I dir]... input.asm
// Writes the image (and listing) only when there are no errors, through a
// temporary file that is renamed into place; on errors prints them to err,
// removes stale outputs and returns 1. Usage errors return 2.
int RunAssemblerCommand(const std::vector<std::string>& args, std::ostream& err);

} // namespace asm6809
