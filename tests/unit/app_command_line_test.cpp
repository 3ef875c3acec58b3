#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"

namespace {
std::string Arg(const char* line, size_t size = 256) {
    char out[256] = "unchanged";
    CommandArgument(line, out, size);
    return out;
}
}  // namespace

TEST(CommandArgument, ProgramNameAlone) {
    EXPECT_EQ(Arg("orvex.exe"), "");
    EXPECT_EQ(Arg("\"C:\\Program Files\\orvex.exe\""), "");
    EXPECT_EQ(Arg("\"C:\\orvex.exe\" "), "");  // only the separator follows
    EXPECT_EQ(Arg(""), "");
    EXPECT_EQ(Arg("\"C:\\unclosed quote a.txt"), "");
}

TEST(CommandArgument, QuotedPathLosesItsQuotes) {
    EXPECT_EQ(Arg("\"C:\\orvex.exe\" \"C:\\my files\\a.txt\""), "C:\\my files\\a.txt");
    EXPECT_EQ(Arg("orvex.exe \"C:\\my files\\a.txt\" tail"), "C:\\my files\\a.txt");
    EXPECT_EQ(Arg("orvex.exe \"C:\\no close"), "C:\\no close");
}

TEST(CommandArgument, UnquotedRestIsTakenAsTyped) {
    EXPECT_EQ(Arg("orvex C:\\a b.txt"), "C:\\a b.txt");
    EXPECT_EQ(Arg("orvex  a.txt"), " a.txt");
    EXPECT_EQ(Arg("orvex a\"b\" c"), "a\"b\" c");
    // After a closing quote exactly one character is skipped, whatever it is.
    EXPECT_EQ(Arg("\"orvex\"xa.txt"), "a.txt");
    EXPECT_EQ(Arg("\"orvex\"  a.txt"), " a.txt");
}

TEST(CommandArgument, LongArgumentIsCut) {
    std::string line = "orvex " + std::string(300, 'x');
    EXPECT_EQ(Arg(line.c_str()), std::string(255, 'x'));
    EXPECT_EQ(Arg("orvex abcdef", 4), "abc");
    EXPECT_EQ(Arg("orvex abcd", 4), "abc");
}
