#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandArgument, TheArgumentAfterTheProgramName) {
    const std::string longLine = "orvex " + std::string(300, 'x');
    const struct {
        std::string line;
        size_t size;
        std::string want;
    } cases[] = {
        {"orvex.exe", 256, ""},
        {"\"C:\\Program Files\\orvex.exe\"", 256, ""},
        {"\"C:\\orvex.exe\" ", 256, ""},  // only the separator follows
        {"", 256, ""},
        {"\"C:\\unclosed quote a.txt", 256, ""},
        {"\"C:\\orvex.exe\" \"C:\\my files\\a.txt\"", 256, "C:\\my files\\a.txt"},  // quotes go
        {"orvex.exe \"C:\\my files\\a.txt\" tail", 256, "C:\\my files\\a.txt"},
        {"orvex.exe \"C:\\no close", 256, "C:\\no close"},
        {"orvex C:\\a b.txt", 256, "C:\\a b.txt"},  // an unquoted rest as typed
        {"orvex  a.txt", 256, " a.txt"},
        {"orvex a\"b\" c", 256, "a\"b\" c"},
        {"\"orvex\"xa.txt", 256, "a.txt"},  // after a closing quote one character is skipped
        {"\"orvex\"  a.txt", 256, " a.txt"},
        {longLine, 256, std::string(255, 'x')},
        {"orvex abcdef", 4, "abc"},
        {"orvex abcd", 4, "abc"},
    };
    for (const auto& c : cases) {
        char out[256] = "unchanged";
        CommandArgument(c.line.c_str(), out, c.size);
        EXPECT_EQ(out, c.want) << c.line;
    }
}
