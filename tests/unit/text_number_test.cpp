#include "document/text_number.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(TextNumber, FormatsFillTheFieldFromTheRightAndDropHighDigits) {
    const struct { bool hex; uint32_t v; int width; char fill; const char* want; } cases[] = {
        {false, 1234, 7, ' ', "   1234"}, {false, 12345678, 7, ' ', "2345678"}, {false, 0, 3, ' ', "  0"},
        {false, 4294967295u, 10, '0', "4294967295"}, {false, 7, 5, '0', "00007"}, {false, 123, 0, ' ', ""},
        {true, 255, 8, '0', "000000FF"}, {true, 0, 8, '0', "00000000"}, {true, 0xABCDEF12, 4, '0', "EF12"},
        {true, 0x1A, 7, ' ', "     1A"}, {true, 123, 0, ' ', ""},
    };
    for (const auto& c : cases) {
        char buf[16];
        std::memset(buf, '#', sizeof buf);
        (c.hex ? FormatHex : FormatDec)(buf + 1, c.v, c.width, c.fill);
        // The field and nothing on either side of it.
        EXPECT_EQ(std::string(buf, static_cast<size_t>(c.width) + 2), "#" + std::string(c.want) + "#") << c.want;
    }
    const char* const commas[][2] = {{"1234567", "1,234,567"}, {"999", "999"}, {"1000", "1,000"}, {"12345", "12,345"},
                                     {"123456", "123,456"}, {"0", "0"}, {"", ""}, {"2147483647", "2,147,483,647"}};
    for (const auto& c : commas) {
        char buf[32] = {};
        std::strcpy(buf, c[0]);
        AddCommas(buf);
        EXPECT_STREQ(buf, c[1]);
    }
}

TEST(TextNumber, ParsesStopAtTheFirstCharacterThatIsNoDigit) {
    const struct { bool hex; const char* text; uint32_t want; } cases[] = {
        {true, "ff", 255}, {true, "FF", 255}, {true, "12G4", 0x12}, {true, "0x10", 0}, {true, "123456789", 0x23456789},
        {true, "", 0}, {true, "09aAfF/", 0x9AAFF}, {true, "@", 0}, {true, "`", 0}, {true, ":", 0},
        {false, " 12", 0}, {false, "12 ", 12}, {false, "4294967296", 0} /* modulo 2^32 */,
        {false, "4294967295", 4294967295u}, {false, "-5", 0}, {false, "09:", 9},
    };
    for (const auto& c : cases) EXPECT_EQ((c.hex ? ParseHex : ParseDec)(c.text), c.want) << c.text;
}

TEST(TextNumber, ComparesExactlyOrFoldingAsciiLettersOnly) {
    // '@'/'`' and '['/'{' differ only in bit 0x20 but are no letters.
    const struct { const char *a, *b; bool exact, folded; } cases[] = {
        {".exe", ".exe", true, true}, {".ex", ".exe", false, false}, {".exe", ".ex", false, false},
        {".EXE", ".exe", false, true}, {"C:\\A.TXT", "c:\\a.txt", false, true}, {"C:\\a.txt", "C:\\.\\a.txt", false, false},
        {"abc", "abcd", false, false}, {"@", "`", false, false}, {"[", "{", false, false}, {"", "", true, true},
        {"Zz", "zZ", false, true}, {"Aa", "aA", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareText(c.a, c.b) == 0, c.exact) << c.a << " " << c.b;
        EXPECT_EQ(SameText(c.a, c.b), c.folded) << c.a << " " << c.b;
    }
    const char* const names[][2] = {{"a.txt", "a.txt"}, {"C:\\DIR\\A.TXT", "A.TXT"}, {"C:\\DIR\\", ""}, {"", ""}};
    for (const auto& n : names) EXPECT_STREQ(NamePart(n[0]), n[1]);
}

TEST(TextNumber, ShiftAndCtrlWidenTheWordCharacters) {
    const struct { const char* chars; unsigned keys; int want; } cases[] = {
        {"aZz7A09", 0, 1}, {"_", 0, 0}, {"_", KeyShift, 1}, {"_", KeyControl, 1}, {"./:\\~", KeyShift, 0},
        {"./:\\~", KeyControl, 1}, {" ", KeyControl | KeyShift, 0}, {"@`[{/:", 0, 0} /* '@' | 0x20 is '`' */,
        {"\xC4", KeyControl, 0},
    };
    for (const auto& c : cases)
        for (const char* p = c.chars; *p; ++p)
            EXPECT_EQ(IsWordChar(static_cast<unsigned char>(*p), c.keys), c.want) << *p << " keys " << c.keys;
}

}  // namespace
