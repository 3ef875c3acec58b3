// orvex-dump's modes and usage on small files and on the MinGW-built
// fixtures (rows of --hex and --char, and the listings, are checked against
// xxd and objdump by the golden tests).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "dump_runner.h"

namespace {

std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = std::string(::testing::TempDir()) + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

using OrvexDump = DocTest;

// Each row runs the program on a file holding `bytes` (its path for "@").
TEST_F(OrvexDump, ModesAndUsage) {
    const std::string many(40000, '\n');
    struct Row {
        std::vector<std::string> args;
        std::string bytes, out, err;
        int status;
    } const rows[] = {
        {{"@"}, "a\tb  \r\nsecond\n", "a       b\nsecond\n\n", "", 0},  // no trailing blanks
        {{"--wrap", "10", "@"}, "aaaa bbbb cccc\n1\n2\n3\n", "aaaa bbbb\ncccc\n1\n2\n3\n\n", "", 0},
        {{"--width", "3", "--from", "2", "--rows", "2", "@"}, "aaaa bbbb cccc\n1\n2\n3\n", "1\n2\n", "", 0},
        {{"--from", "99", "@"}, "a\n", "", "", 0},
        {{"@"}, "", "\n", "", 0},
        {{"--hex", "--from", "12", "--addr", "zero", "@"}, "ABCDEFGHIJKLMNOPQRST",  // --from is hex
         "00000012:  5354" + std::string(38, ' ') + "[ST              ]\n", "", 0},
        {{"--char", "--rows", "1", "@"}, std::string(20, 'A'), "00000000:  " + std::string(20, 'A') + "\n", "", 0},
        {{"@"}, many, "", "This file has too many lines for me to handle.\n", 1},
        {{"--hex", "--rows", "1", "@"}, many, "00000000:  0A0A 0A0A 0A0A 0A0A  0A0A 0A0A 0A0A 0A0A  [" + std::string(16, '\n') + "]\n", "", 0},
        {{"/no/such/file.txt"}, "", "", "", 2},
        {{}, "", "", "", 3},
        {{"--bogus", "@"}, "", "", "", 3},
        {{"--wrap", "0", "@"}, "", "", "", 3},
        {{"--addr", "virtual", "@"}, "", "", "", 3},
        {{"--extract"}, "", "", "", 3}};
    for (const Row& r : rows) {
        std::vector<std::string> args = r.args;
        const std::string path = Write("dump.bin", r.bytes);
        for (std::string& a : args)
            if (a == "@") a = path;
        SCOPED_TRACE(::testing::PrintToString(args));
        const DumpRun run = Dump(args);
        EXPECT_EQ(run.status, r.status);
        if (r.status == 2) { EXPECT_NE(run.err.find(args[0]), std::string::npos); }
        if (r.status > 1) continue;
        EXPECT_EQ(run.out, r.out);
        EXPECT_EQ(run.err, r.err);
    }
    const DumpRun help = Dump({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--addr zero|physical|rva"), std::string::npos);
}

#ifdef ORVEX_FIXTURE_DIR

std::string Fixture(const char* name) { return std::string(ORVEX_FIXTURE_DIR) + "/" + name; }

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TEST(DumpInterpretation, TreeFollowsTheAddressModeAndOtherFilesGiveTheMessage) {
    const std::string physical = Dump({"--tree", Fixture("fixture.exe")}).out;
    EXPECT_EQ(physical.rfind("fixture.exe\n  00000400: .text\n", 0), 0u) << physical;
    const std::string rva = Dump({"--tree", "--addr", "rva", Fixture("fixture.exe")}).out;
    EXPECT_EQ(rva.rfind("fixture.exe\n  00001000: .text\n", 0), 0u) << rva;
    EXPECT_EQ(Dump({"--tree", "--addr", "zero", Fixture("fixture.exe")}).out, physical);
    const DumpRun other = Dump({"--tree", Fixture("fixture_res.o")});
    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(other.out, "fixture_res.o\nCannot interpret this file!\n");
    EXPECT_EQ(Dump({"--exports", Fixture("fixture_res.o")}).out, "");
}

TEST(DumpInterpretation, ExtractWritesEachImageEntryIntoItsTypeFolder) {
    char pattern[] = "/tmp/orvex-extract-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    const DumpRun r = Dump({"--extract", dir, Fixture("fixture.exe")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadAll(dir + "/BITMAP/FACE.BMP"), ReadAll(Fixture("images/face.bmp")));
    // Group 2 holds the one image of small.ico: ICON 4.
    EXPECT_EQ(ReadAll(dir + "/GROUP_ICON/2.ICO"), ReadAll(dir + "/ICON/4.ICO"));
    const std::vector<uint8_t> group = ReadAll(dir + "/GROUP_ICON/1.ICO");
    ASSERT_GE(group.size(), 6u);
    EXPECT_EQ(group[4], 3);
    EXPECT_FALSE(ReadAll(dir + "/GROUP_CURSOR/2.CUR").empty());
    EXPECT_TRUE(ReadAll(dir + "/DIALOG/200").empty());  // only images are written
    EXPECT_EQ(std::system(("rm -rf " + dir).c_str()), 0);
}

#endif

}  // namespace
