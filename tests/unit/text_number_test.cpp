#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "document/text_number.h"

namespace {

std::string Dec(uint32_t v, int width, char fill) {
    char buf[64];
    std::memset(buf, '#', sizeof buf);
    FormatDec(buf + 1, v, width, fill);
    // The field must not spill over either neighbour.
    EXPECT_EQ(buf[0], '#');
    EXPECT_EQ(buf[width + 1], '#');
    return std::string(buf + 1, static_cast<size_t>(width));
}

std::string Hex(uint32_t v, int width, char fill) {
    char buf[64];
    std::memset(buf, '#', sizeof buf);
    FormatHex(buf + 1, v, width, fill);
    EXPECT_EQ(buf[0], '#');
    EXPECT_EQ(buf[width + 1], '#');
    return std::string(buf + 1, static_cast<size_t>(width));
}

std::string Commas(const char* digits) {
    char buf[64] = {};
    std::strcpy(buf, digits);
    AddCommas(buf);
    return buf;
}

TEST(FormatNumbers, FillsFieldFromTheRightAndDropsHighDigits) {
    EXPECT_EQ(Dec(1234, 7, ' '), "   1234");
    EXPECT_EQ(Dec(12345678, 7, ' '), "2345678");
    EXPECT_EQ(Dec(0, 3, ' '), "  0");
    EXPECT_EQ(Dec(4294967295u, 10, '0'), "4294967295");
    EXPECT_EQ(Dec(7, 5, '0'), "00007");
    EXPECT_EQ(Hex(255, 8, '0'), "000000FF");
    EXPECT_EQ(Hex(0, 8, '0'), "00000000");
    EXPECT_EQ(Hex(0xABCDEF12, 4, '0'), "EF12");
    EXPECT_EQ(Hex(0x1A, 7, ' '), "     1A");
}

TEST(FormatNumbers, WidthZeroWritesNothing) {
    char buf[4] = {'x', 'x', 'x', 'x'};
    FormatDec(buf, 123, 0, ' ');
    FormatHex(buf, 123, 0, ' ');
    EXPECT_EQ(std::string(buf, 4), "xxxx");
}

TEST(ParseNumbers, StopAtTheFirstCharacterThatIsNoDigit) {
    EXPECT_EQ(ParseHex("ff"), 255u);
    EXPECT_EQ(ParseHex("FF"), 255u);
    EXPECT_EQ(ParseHex("12G4"), 0x12u);
    EXPECT_EQ(ParseHex("0x10"), 0u);
    EXPECT_EQ(ParseHex("123456789"), 0x23456789u);
    EXPECT_EQ(ParseHex(""), 0u);
    EXPECT_EQ(ParseDec(" 12"), 0u);
    EXPECT_EQ(ParseDec("12 "), 12u);
    EXPECT_EQ(ParseDec("4294967296"), 0u);  // wraps modulo 2^32
    EXPECT_EQ(ParseDec("4294967295"), 4294967295u);
    EXPECT_EQ(ParseDec("-5"), 0u);
}

TEST(AddCommas, GroupsOfThreeFromTheRight) {
    EXPECT_EQ(Commas("1234567"), "1,234,567");
    EXPECT_EQ(Commas("999"), "999");
    EXPECT_EQ(Commas("1000"), "1,000");
    EXPECT_EQ(Commas("12345"), "12,345");
    EXPECT_EQ(Commas("123456"), "123,456");
    EXPECT_EQ(Commas("0"), "0");
    EXPECT_EQ(Commas(""), "");
    EXPECT_EQ(Commas("2147483647"), "2,147,483,647");
}

TEST(CompareAndSameText, ExactAndAsciiLetterFolding) {
    EXPECT_EQ(CompareText(".exe", ".exe"), 0);
    EXPECT_NE(CompareText(".ex", ".exe"), 0);
    EXPECT_NE(CompareText(".exe", ".ex"), 0);
    EXPECT_NE(CompareText(".EXE", ".exe"), 0);
    EXPECT_TRUE(SameText("C:\\A.TXT", "c:\\a.txt"));
    EXPECT_FALSE(SameText("C:\\a.txt", "C:\\.\\a.txt"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    // '@' (0x40) and '`' (0x60) differ only in bit 0x20 but are no letters;
    // neither are '[' and '{'.
    EXPECT_FALSE(SameText("@", "`"));
    EXPECT_FALSE(SameText("[", "{"));
    EXPECT_TRUE(SameText("", ""));
}

TEST(NamePart, AfterTheLastBackslash) {
    EXPECT_STREQ(NamePart("a.txt"), "a.txt");
    EXPECT_STREQ(NamePart("C:\\DIR\\A.TXT"), "A.TXT");
    EXPECT_STREQ(NamePart("C:\\DIR\\"), "");
    EXPECT_STREQ(NamePart(""), "");
}

TEST(IsWordChar, KeysWidenTheSet) {
    EXPECT_EQ(IsWordChar('a', 0), 1);
    EXPECT_EQ(IsWordChar('Z', 0), 1);
    EXPECT_EQ(IsWordChar('7', 0), 1);
    EXPECT_EQ(IsWordChar('_', 0), 0);
    EXPECT_EQ(IsWordChar('_', KeyShift), 1);
    EXPECT_EQ(IsWordChar('_', KeyControl), 1);
    for (char c : {'.', '/', ':', '\\', '~'}) {
        EXPECT_EQ(IsWordChar(static_cast<unsigned char>(c), KeyShift), 0) << c;
        EXPECT_EQ(IsWordChar(static_cast<unsigned char>(c), KeyControl), 1) << c;
    }
    EXPECT_EQ(IsWordChar(' ', KeyControl | KeyShift), 0);
    EXPECT_EQ(IsWordChar('@', 0), 0);  // '@' | 0x20 is '`', no letter
    EXPECT_EQ(IsWordChar(0xC4, KeyControl), 0);
}

}  // namespace
