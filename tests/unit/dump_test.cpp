// orvex-dump's modes and usage, run in-process on small files (rows of
// --hex and --char, trees, listings and extraction are checked against xxd,
// objdump and wrestool by the golden tests).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "dump.h"

namespace {

std::string ReadAndClose(std::FILE* f) {
    std::string s(static_cast<size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    s.resize(std::fread(&s[0], 1, s.size(), f));
    std::fclose(f);
    return s;
}

struct DumpRun {
    int status;
    std::string out, err;
};

// `args` without the program name; "@" stands for a file holding `bytes`.
DumpRun Dump(std::vector<std::string> args, const std::string& bytes = "") {
    const std::string path = std::string(::testing::TempDir()) + "dump.bin";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    args.insert(args.begin(), "orvex-dump");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a == "@" ? (a = path).data() : a.data());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = RunDump(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, ReadAndClose(out), ReadAndClose(err)};
}

using OrvexDump = DocTest;

TEST_F(OrvexDump, ModesAndUsage) {
    const std::string many(40000, '\n'), text = "aaaa bbbb cccc\n1\n2\n3\n";
    // {arguments, bytes, out, err, status}; errors and usage (2, 3) are checked by their status
    const struct Row { std::vector<std::string> args; std::string bytes, out, err; int status; } rows[] = {
        {{"@"}, "a\tb  \r\nsecond\n", "a       b\nsecond\n\n", "", 0},  // no trailing blanks
        {{"--wrap", "10", "@"}, text, "aaaa bbbb\ncccc\n1\n2\n3\n\n", "", 0},
        {{"--width", "3", "--from", "2", "--rows", "2", "@"}, text, "1\n2\n", "", 0}, {{"--from", "99", "@"}, "a\n", "", "", 0},
        {{"--hex", "--from", "12", "--addr", "zero", "@"}, "ABCDEFGHIJKLMNOPQRST",  // --from is hex
         "00000012:  5354" + std::string(38, ' ') + "[ST              ]\n", "", 0},
        {{"--char", "--rows", "1", "@"}, std::string(20, 'A'), "00000000:  " + std::string(20, 'A') + "\n", "", 0},
        {{"@"}, many, "", "This file has too many lines for me to handle.\n", 1},
        {{"--tree", "@"}, "MZ", "dump.bin\nCannot interpret this file!\n", "", 0}, {{"--exports", "@"}, "MZ", "", "", 0},
        {{"/no/such/file.txt"}, "", "", "", 2}, {{}, "", "", "", 3}, {{"--bogus", "@"}, "", "", "", 3},
        {{"--wrap", "0", "@"}, "", "", "", 3}, {{"--addr", "virtual", "@"}, "", "", "", 3}, {{"--extract"}, "", "", "", 3}};
    for (const Row& r : rows) {
        const DumpRun run = Dump(r.args, r.bytes);
        EXPECT_EQ(run.status, r.status) << ::testing::PrintToString(r.args);
        if (r.status < 2) { EXPECT_EQ(run.out + "|" + run.err, r.out + "|" + r.err) << ::testing::PrintToString(r.args); }
    }
    EXPECT_NE(Dump({"/no/such/file.txt"}).err.find("/no/such/file.txt"), std::string::npos);
    const DumpRun help = Dump({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--addr zero|physical|rva"), std::string::npos);
}

}  // namespace
