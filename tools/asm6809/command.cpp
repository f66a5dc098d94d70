// The assembler's command line: parses the options, assembles, and writes the
// image and listing only when there are no errors. Files are written to a
// temporary name and renamed into place, so a failed or interrupted run never
// leaves a partial image; after errors, outputs of an earlier run are removed
// so that no stale image passes for a fresh one.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "tools/asm6809/asm6809.h"

namespace asm6809 {
namespace {

constexpr const char* kUsage =
    "usage: asm6809 -o out.bin [--base N] [--size N] [-l listing.txt] [-I dir]... input.asm\n"
    "  --base  address of the image's first byte (default 0)\n"
    "  --size  bytes in the image (default: up to $FFFF)\n"
    "  numbers are decimal, 0x... or $... hexadecimal\n";

bool ParseNumber(const std::string& text, uint32_t& value) {
    std::string digits = text;
    int radix = 10;
    if (digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0) {
        digits = digits.substr(2);
        radix = 16;
    } else if (digits.rfind('$', 0) == 0) {
        digits = digits.substr(1);
        radix = 16;
    }
    if (digits.empty() || !std::isxdigit(static_cast<unsigned char>(digits[0]))) return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(digits.c_str(), &end, radix);
    if (*end != '\0' || errno != 0 || parsed > 0x10000) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

bool WriteAtomically(const std::string& path, const std::string& data, std::ostream& err) {
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    bool ok = file != nullptr;
    if (ok) {
        ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
        ok = std::fclose(file) == 0 && ok;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(path.c_str()); // rename does not replace a file everywhere
        ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    }
    if (!ok) {
        std::remove(temporary.c_str());
        err << "asm6809: cannot write '" << path << "'\n";
    }
    return ok;
}

} // namespace

int RunAssemblerCommand(const std::vector<std::string>& args, std::ostream& err) {
    Options options;
    bool sizeGiven = false;
    std::string output, listing, input;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        auto fail = [&](const std::string& message) {
            err << "asm6809: " << message << "\n" << kUsage;
            return 2;
        };
        if (arg == "-h" || arg == "--help") {
            err << kUsage;
            return 0;
        }
        if (arg == "-o" || arg == "-l" || arg == "-I" || arg == "--base" || arg == "--size") {
            if (!hasValue) return fail(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "-o") {
                output = value;
            } else if (arg == "-l") {
                listing = value;
            } else if (arg == "-I") {
                options.includeDirs.push_back(value);
            } else if (!ParseNumber(value, arg == "--base" ? options.base : options.size)) {
                return fail("bad number '" + value + "' for " + arg);
            } else {
                sizeGiven = sizeGiven || arg == "--size";
            }
        } else if (arg.rfind("-I", 0) == 0) {
            options.includeDirs.push_back(arg.substr(2));
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + arg + "'");
        } else if (!input.empty()) {
            return fail("more than one input file");
        } else {
            input = arg;
        }
    }
    if (input.empty()) {
        err << "asm6809: no input file\n" << kUsage;
        return 2;
    }
    if (output.empty()) {
        err << "asm6809: no output file (-o)\n" << kUsage;
        return 2;
    }
    if (!sizeGiven && options.base < 0x10000) options.size = 0x10000 - options.base;

    const Result result = AssembleFile(input, options);
    if (!result.errors.empty()) {
        for (const std::string& error : result.errors)
            err << error << "\n";
        std::remove(output.c_str());
        if (!listing.empty()) std::remove(listing.c_str());
        return 1;
    }
    if (!WriteAtomically(output, std::string(result.image.begin(), result.image.end()), err)) return 1;
    if (!listing.empty() && !WriteAtomically(listing, result.listing, err)) return 1;
    return 0;
}

} // namespace asm6809
