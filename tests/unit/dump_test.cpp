#include <gtest/gtest.h>

#include <cstdio>
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

TEST_F(OrvexDump, TextRowsWithTrailingBlanksRemoved) {
    const std::string f = Write("dump-text.txt", "a\tb  \r\nsecond\n");
    const DumpRun r = Dump({f});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a       b\nsecond\n\n");
}

TEST_F(OrvexDump, TextFromRowsWidthAndWrap) {
    const std::string f = Write("dump-wrap.txt", "aaaa bbbb cccc\n1\n2\n3\n");
    EXPECT_EQ(Dump({"--wrap", "10", f}).out, "aaaa bbbb\ncccc\n1\n2\n3\n\n");
    EXPECT_EQ(Dump({"--width", "3", "--from", "2", "--rows", "2", f}).out, "1\n2\n");
    EXPECT_EQ(Dump({"--from", "99", f}).out, "");
}

TEST_F(OrvexDump, HexAndCharRows) {
    const std::string f = Write("dump-hex.bin", "ABCDEFGHIJKLMNOPQRST");
    DumpRun r = Dump({"--hex", f});
    EXPECT_EQ(r.out,
              "00000000:  4142 4344 4546 4748  494A 4B4C 4D4E 4F50  [ABCDEFGHIJKLMNOP]\n"
              "00000010:  5152 5354                                 [QRST            ]\n");
    r = Dump({"--hex", "--from", "12", "--addr", "zero", f});
    EXPECT_EQ(r.out.substr(0, 16), "00000012:  5354 ");  // --from is hex: byte 18
    EXPECT_EQ(r.out.substr(53), "[ST              ]\n");
    r = Dump({"--char", "--rows", "1", f});
    EXPECT_EQ(r.out, "00000000:  ABCDEFGHIJKLMNOPQRST\n");
    const std::string g = Write("dump-conv.bin", std::string("\x01z\x80", 3));
    EXPECT_EQ(Dump({"--char", "--convert", g}).out, "00000000:  .z.\n");
}

TEST_F(OrvexDump, EmptyFileInEveryMode) {
    const std::string f = Write("dump-empty.bin", "");
    EXPECT_EQ(Dump({f}).out, "\n");
    EXPECT_EQ(Dump({"--hex", f}).out,
              "00000000:                                            [                ]\n");
    EXPECT_EQ(Dump({"--char", f}).out, "00000000:\n");
}

TEST_F(OrvexDump, TooManyLinesIsRefusedWithTheProgramsMessage) {
    const std::string f = Write("dump-many.txt", std::string(40000, '\n'));
    const DumpRun r = Dump({f});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "This file has too many lines for me to handle.\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Dump({"--hex", "--rows", "1", f}).status, 0);
}

TEST_F(OrvexDump, MissingFileAndBadUsage) {
    DumpRun r = Dump({"/no/such/file.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("/no/such/file.txt"), std::string::npos);
    EXPECT_EQ(Dump({}).status, 3);
    EXPECT_EQ(Dump({"--bogus", "x"}).status, 3);
    EXPECT_EQ(Dump({"--wrap", "0", "x"}).status, 3);
    EXPECT_EQ(Dump({"--addr", "virtual", "x"}).status, 3);
    r = Dump({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--addr zero|physical|rva"), std::string::npos);
}

}  // namespace
