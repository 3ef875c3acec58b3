// orvex-dump's interpretation modes on the MinGW-built fixtures.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dump_runner.h"

#ifdef ORVEX_FIXTURE_DIR

namespace {

std::string Fixture(const char* name) { return std::string(ORVEX_FIXTURE_DIR) + "/" + name; }

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TEST(DumpInterpretation, TreeIndentsTwoBlanksPerLevelAndFollowsTheAddressMode) {
    const DumpRun physical = Dump({"--tree", Fixture("fixture.exe")});
    EXPECT_EQ(physical.status, 0);
    EXPECT_EQ(physical.out.rfind("fixture.exe\n  00000400: .text\n", 0), 0u) << physical.out;
    EXPECT_NE(physical.out.find("\n    00000800: Imports\n      fixture.dll\n      KERNEL32.dll\n"),
              std::string::npos);
    EXPECT_NE(physical.out.find("\n      GROUP_ICON\n        DOCUMENT\n        1\n        2\n        400\n"),
              std::string::npos);
    const DumpRun rva = Dump({"--tree", "--addr", "rva", Fixture("fixture.exe")});
    EXPECT_EQ(rva.out.rfind("fixture.exe\n  00001000: .text\n", 0), 0u) << rva.out;
    EXPECT_EQ(Dump({"--tree", "--addr", "zero", Fixture("fixture.exe")}).out, physical.out);
}

TEST(DumpInterpretation, UninterpretableFilesPrintTheirRootAndTheMessage) {
    const DumpRun r = Dump({"--tree", Fixture("fixture_res.o")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "fixture_res.o\nCannot interpret this file!\n");
    EXPECT_EQ(Dump({"--exports", Fixture("fixture_res.o")}).out, "");
    EXPECT_EQ(Dump({"--tree", Fixture("missing.exe")}).status, 2);
    EXPECT_EQ(Dump({"--extract"}).status, 3);
}

TEST(DumpInterpretation, ListingsPrintNamesFifteenCellsRight) {
    const std::string first =
        "fixture.dll\n"
        "hint=0x0005    FixtureAdd\n"
        "hint=0x0006    FixtureName\n"
        "  ordinal:     0x0007\n"
        "KERNEL32.dll\n";
    EXPECT_EQ(Dump({"--imports", Fixture("fixture.exe")}).out.substr(0, first.size()), first);
    const std::string exports = Dump({"--exports", Fixture("fixture64.dll")}).out;
    EXPECT_EQ(exports.substr(0, 56), "Ordinal  RVA         Name\n-------  ----------  --------\n");
    EXPECT_EQ(std::count(exports.begin(), exports.end(), '\n'), 5);
}

TEST(DumpInterpretation, ExtractWritesEachEntryIntoItsTypeFolder) {
    char pattern[] = "/tmp/orvex-extract-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    const DumpRun r = Dump({"--extract", dir, Fixture("fixture.exe")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadAll(dir + "/BITMAP/101.BMP"), ReadAll(Fixture("images/mono.bmp")));
    EXPECT_EQ(ReadAll(dir + "/BITMAP/FACE.BMP"), ReadAll(Fixture("images/face.bmp")));
    // Group 2 holds the one image of small.ico: ICON 4.
    EXPECT_EQ(ReadAll(dir + "/GROUP_ICON/2.ICO"), ReadAll(dir + "/ICON/4.ICO"));
    const std::vector<uint8_t> group = ReadAll(dir + "/GROUP_ICON/1.ICO");
    ASSERT_GE(group.size(), 6u);
    EXPECT_EQ(group[4], 3);
    EXPECT_FALSE(ReadAll(dir + "/GROUP_CURSOR/2.CUR").empty());
    EXPECT_FALSE(ReadAll(dir + "/CURSOR/3.CUR").empty());
    EXPECT_TRUE(ReadAll(dir + "/DIALOG/200").empty());  // only images are written
    EXPECT_EQ(std::system(("rm -rf " + dir).c_str()), 0);
}

}  // namespace

#endif
