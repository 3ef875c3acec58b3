// orvex-dump's text mode and usage, run in-process (its hex and char rows,
// trees, listings and extraction are checked by the golden tests).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "doc_fixture.h"
#include "dump.h"

namespace {

std::string ReadAndClose(std::FILE* f) {
    std::string s(static_cast<size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    s.resize(std::fread(&s[0], 1, s.size(), f));
    return std::fclose(f), s;
}

// Runs orvex-dump with `args` ("@" stands for a file holding `bytes`): "status|what it printed|its report".
std::string Dump(std::vector<std::string> args, const std::string& bytes = "") {
    const std::string path = std::string(::testing::TempDir()) + "dump.bin";
    std::ofstream(path, std::ios::binary) << bytes;
    std::vector<char*> argv{const_cast<char*>("orvex-dump")};
    for (std::string& a : args) argv.push_back(a == "@" ? (a = path).data() : a.data());
    std::FILE *out = std::tmpfile(), *err = std::tmpfile();
    const int status = RunDump(static_cast<int>(argv.size()), argv.data(), out, err);
    return std::to_string(status) + "|" + ReadAndClose(out) + "|" + ReadAndClose(err);
}

using OrvexDump = DocTest;

TEST_F(OrvexDump, TextModeAndUsage) {
    const std::string text = "aaaa bbbb cccc\n1\n2\n3\n";
    const struct Row { std::vector<std::string> args; std::string bytes, result; } rows[] = {
        {{"@"}, "a\tb  \r\nsecond\n", "0|a       b\nsecond\n\n|"},  // no trailing blanks
        {{"--wrap", "10", "@"}, text, "0|aaaa bbbb\ncccc\n1\n2\n3\n\n|"},
        {{"--width", "3", "--from", "2", "--rows", "2", "@"}, text, "0|1\n2\n|"}, {{"--from", "99", "@"}, "a\n", "0||"},
        {{"@"}, std::string(40000, '\n'), "1||This file has too many lines for me to handle.\n"},
        {{"--tree", "@"}, "MZ", "0|dump.bin\nCannot interpret this file!\n|"}};
    for (const Row& r : rows) EXPECT_EQ(Dump(r.args, r.bytes), r.result) << ::testing::PrintToString(r.args) << r.bytes.size();
    for (const std::vector<std::string>& usage : {std::vector<std::string>{}, {"--bogus", "@"}, {"--wrap", "0", "@"},
                                                  {"--addr", "virtual", "@"}, {"--extract"}})
        EXPECT_EQ(Dump(usage).substr(0, 2), "3|") << ::testing::PrintToString(usage);
    EXPECT_EQ(Dump({"/no/such/file.txt"}).find("2||orvex-dump: cannot open /no/such/file.txt"), 0u);
    EXPECT_NE(Dump({"--help"}).find("--addr zero|physical|rva"), std::string::npos);
}

}  // namespace
