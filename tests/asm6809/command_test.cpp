// The assembler's command line: outputs, exit codes and the no-partial-image rule.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/asm6809/asm6809.h"

namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() /
               ("asm6809_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int RunCommand(const std::vector<std::string>& args, std::string* messages = nullptr) {
    std::ostringstream err;
    const int code = asm6809::RunAssemblerCommand(args, err);
    if (messages) *messages = err.str();
    return code;
}

TEST(Asm6809Command, WritesImageAndListing) {
    TempDir dir;
    fs::create_directories(dir.path / "inc");
    WriteText(dir / "main.asm", " org $E000\nstart\n include part.asm\n org $FFFE\n fdb start\n");
    WriteText(dir / "inc/part.asm", " lda #$42\n");
    std::string messages;
    ASSERT_EQ(RunCommand({"-o", dir / "out.bin", "--base", "0xE000", "--size", "$2000", "-l", dir / "out.lst",
                          "-I", dir / "inc", dir / "main.asm"},
                         &messages),
              0)
        << messages;
    const std::string image = ReadText(dir / "out.bin");
    ASSERT_EQ(image.size(), 0x2000u);
    EXPECT_EQ(image.substr(0, 3), std::string("\x86\x42\xFF"));
    EXPECT_EQ(image.substr(0x1FFE), std::string("\xE0\x00", 2));
    EXPECT_NE(ReadText(dir / "out.lst").find("E000  86 42"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "out.bin.tmp"));
    EXPECT_TRUE(messages.empty());

    // The size defaults to the rest of the address space; -Idir is accepted too.
    ASSERT_EQ(RunCommand({"--base", "57344", "-I" + (dir / "inc"), "-o", dir / "out2.bin", dir / "main.asm"}),
              0);
    EXPECT_EQ(ReadText(dir / "out2.bin"), image);
}

TEST(Asm6809Command, ErrorsLeaveNoImage) {
    TempDir dir;
    WriteText(dir / "bad.asm", " org $E000\n lda #1\n bogus\n lda #1000\n");
    WriteText(dir / "out.bin", "stale image");
    WriteText(dir / "out.lst", "stale listing");
    std::string messages;
    EXPECT_EQ(RunCommand({"-o", dir / "out.bin", "--base", "0xE000", "--size", "0x2000", "-l",
                          dir / "out.lst", dir / "bad.asm"},
                         &messages),
              1);
    EXPECT_EQ(messages, (dir / "bad.asm") + ":3: unknown mnemonic 'bogus'\n" + (dir / "bad.asm") +
                            ":4: immediate value 1000 out of range -128..255\n");
    EXPECT_FALSE(fs::exists(dir / "out.bin"));
    EXPECT_FALSE(fs::exists(dir / "out.lst"));
    EXPECT_FALSE(fs::exists(dir / "out.bin.tmp"));

    EXPECT_EQ(RunCommand({"-o", dir / "out.bin", dir / "missing.asm"}, &messages), 1);
    EXPECT_EQ(messages, (dir / "missing.asm") + ": cannot read the file\n");
    EXPECT_EQ(RunCommand({"-o", dir / "out.bin", dir.path.string()}, &messages), 1);
    EXPECT_EQ(messages, dir.path.string() + ": cannot read the file\n");
    EXPECT_EQ(RunCommand({"-o", dir / "out.bin", "--base", "0xF000", "--size", "0x2000", dir / "bad.asm"},
                         &messages),
              1);
    EXPECT_NE(messages.find("does not fit"), std::string::npos);

    // An output that cannot be written is an error too.
    WriteText(dir / "ok.asm", " nop\n");
    EXPECT_EQ(RunCommand({"-o", dir / "no/such/dir/out.bin", dir / "ok.asm"}, &messages), 1);
    EXPECT_NE(messages.find("cannot write"), std::string::npos);
}

TEST(Asm6809Command, RejectsBadUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"in.asm"},
        {"-o", "out.bin"},
        {"-o"},
        {"-o", "out.bin", "--base", "0x10001", "in.asm"},
        {"-o", "out.bin", "--size", "-1", "in.asm"},
        {"-o", "out.bin", "--size", "12z", "in.asm"},
        {"-o", "out.bin", "--base", "$", "in.asm"},
        {"-o", "out.bin", "-q", "in.asm"},
        {"-o", "out.bin", "a.asm", "b.asm"},
    };
    for (const auto& args : cases) {
        std::string messages;
        EXPECT_EQ(RunCommand(args, &messages), 2) << ::testing::PrintToString(args);
        EXPECT_NE(messages.find("usage: asm6809"), std::string::npos);
    }
    std::string messages;
    EXPECT_EQ(RunCommand({"--help"}, &messages), 0);
    EXPECT_NE(messages.find("usage: asm6809"), std::string::npos);
}

} // namespace
