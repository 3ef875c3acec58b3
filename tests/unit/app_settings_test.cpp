#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "app/find.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "print/print_settings.h"

namespace {
class Settings : public ::testing::Test {
protected:
    void SetUp() override { DefaultSettings(); }
    void TearDown() override { DefaultSettings(); }
};

// The default record, byte by byte.
const uint8_t DefaultRecord[SettingsSize] = {
    0, 0, 0, 0,  0, 0, 0, 0,  0x80, 2, 0, 0,  0xC2, 1, 0, 0,   // WinRect 0,0,640,450
    100, 0, 0, 0,  55, 0, 0, 0,  50, 0, 0, 0,  55, 0, 0, 0,   // portrait margins
    55, 0, 0, 0,  100, 0, 0, 0,  55, 0, 0, 0,  50, 0, 0, 0,   // landscape margins
    0, 0, 0, 0,  0xFF, 0xFF, 0xC0, 0,  0, 0, 0, 0,  0xFF, 0x80, 0x80, 0,  // colours
    180, 0, 0, 0,  0, 0, 0, 0,                                // tree width, reserved
    0x30, 1,  0x37, 1,  12, 0,  8, 0,                          // 304, 311, 12, 8
    0, 0, 1, 0, 0, 4, 0, 2, 0, 0, 0, 0};
}  // namespace

TEST_F(Settings, DefaultsPackToTheStoredLayout) {
    uint8_t out[SettingsSize];
    std::memset(out, 0xEE, sizeof out);
    PackSettings(out);
    for (size_t i = 0; i < SettingsSize; ++i) EXPECT_EQ(out[i], DefaultRecord[i]) << "offset " << i;
}

TEST_F(Settings, EveryFieldAtItsOffset) {
    WinRect = {-8, 20, 1000, 700};
    PortraitMargins = {1, 2, 3, 4};
    LandscapeMargins = {5, 6, 7, 8};
    TextColor = 0x00112233;
    BkColor = 0x00445566;
    MarkTextColor = 0x00778899;
    MarkBkColor = 0x00AABBCC;
    TreeWidth = 0x1234;
    Checked = _CHAR_;
    AddrMode = AddrRva;
    FontHeight = 16;
    FontWidth = 0;
    ConvertFlag = 8;
    WrapFlag = 8;
    MaxFlag = 0;
    PrintBold = 1;
    PrintItalic = 1;
    PrintSize = 9;
    PrintCpi = 6;
    PrintSpacing = 4;
    PrintLineNums = 3;
    ExactCase = 8;
    HexSearch = 8;
    uint8_t out[SettingsSize];
    PackSettings(out);
    const uint8_t expect[SettingsSize] = {
        0xF8, 0xFF, 0xFF, 0xFF,  20, 0, 0, 0,  0xE8, 3, 0, 0,  0xBC, 2, 0, 0,
        1, 0, 0, 0,  2, 0, 0, 0,  3, 0, 0, 0,  4, 0, 0, 0,
        5, 0, 0, 0,  6, 0, 0, 0,  7, 0, 0, 0,  8, 0, 0, 0,
        0x33, 0x22, 0x11, 0,  0x66, 0x55, 0x44, 0,  0x99, 0x88, 0x77, 0,  0xCC, 0xBB, 0xAA, 0,
        0x34, 0x12, 0, 0,  0, 0, 0, 0,
        0x32, 1,  0x38, 1,  16, 0,  0, 0,
        8, 8, 0, 1, 1, 9, 6, 4, 3, 8, 8, 0};
    for (size_t i = 0; i < SettingsSize; ++i) EXPECT_EQ(out[i], expect[i]) << "offset " << i;

    // Read back into defaults: the same record again, reserved bytes kept.
    uint8_t withReserved[SettingsSize];
    std::memcpy(withReserved, expect, sizeof withReserved);
    withReserved[68] = 0xAB;
    withReserved[71] = 0xCD;
    withReserved[91] = 0x5A;
    DefaultSettings();
    UnpackSettings(withReserved);
    uint8_t again[SettingsSize];
    PackSettings(again);
    EXPECT_EQ(0, std::memcmp(again, withReserved, SettingsSize));
    EXPECT_EQ(Checked, _CHAR_);
    EXPECT_EQ(WinRect.left, -8);
}

TEST_F(Settings, UnusableFieldsFallBackToTheirDefaults) {
    uint8_t in[SettingsSize];
    std::memcpy(in, DefaultRecord, sizeof in);
    // Checked 313, AddrMode 304, font height 0 and width -1, flags other than
    // 0 and 8, print choices out of their lists, an empty WinRect, a negative
    // margin, a colour with a non-RGB top byte, a negative TreeWidth.
    const std::pair<size_t, uint8_t> bad[] = {
        {72, 0x39}, {74, 0x30}, {76, 0}, {78, 0xFF}, {79, 0xFF}, {80, 1}, {81, 0x88}, {89, 9}, {90, 0xFF},
        {85, 10}, {86, 7}, {87, 1}, {88, 5}, {8, 0}, {9, 0}, {16, 0xFF}, {17, 0xFF}, {18, 0xFF},
        {19, 0xFF}, {55, 0xFF}, {64, 0xFF}, {65, 0xFF}, {66, 0xFF}, {67, 0xFF}};
    for (const auto& b : bad) in[b.first] = b.second;
    Checked = _HEX_;
    UnpackSettings(in);
    uint8_t out[SettingsSize];
    PackSettings(out);
    for (size_t i = 0; i < SettingsSize; ++i) EXPECT_EQ(out[i], DefaultRecord[i]) << "offset " << i;
}

TEST_F(Settings, FooterStoredAsFlagTextAndNul) {
    EXPECT_EQ(FooterStoredLength(), 1 + std::strlen("%F\tPage %p of %n\t%D  %T") + 1);
    const uint8_t stored[] = {0, 'a', '\t', 'b', 0};
    EXPECT_TRUE(AcceptFooter(stored, sizeof stored));
    EXPECT_EQ(FooterBlock[0], 0);
    EXPECT_STREQ(FooterBlock + 1, "a\tb");
    EXPECT_EQ(FooterStoredLength(), 5u);
    uint8_t big[FooterBlockSize + 1];
    std::memset(big, 'x', sizeof big);
    EXPECT_FALSE(AcceptFooter(big, sizeof big));
    EXPECT_STREQ(FooterBlock + 1, "a\tb");
    // A full value without its NUL is still a terminated text.
    EXPECT_TRUE(AcceptFooter(big, FooterBlockSize));
    EXPECT_EQ(std::strlen(FooterBlock + 1), static_cast<size_t>(FooterBlockSize - 2));
}

TEST_F(Settings, RecentJoinedWithNineTabs) {
    char out[StoredListSize];
    EXPECT_EQ(JoinRecent(out), 9u);
    EXPECT_EQ(std::string(out), std::string(9, '\t'));
    std::strcpy(RecentFiles[0], "C:\\a.txt");
    std::strcpy(RecentFiles[2], "b");
    EXPECT_EQ(std::string(out, JoinRecent(out)), "C:\\a.txt\t\tb\t\t\t\t\t\t\t");
    // Ten full paths still fit the value read back.
    for (auto& e : RecentFiles) {
        std::memset(e, 'p', RecentPathSize - 1);
        e[RecentPathSize - 1] = '\0';
    }
    EXPECT_EQ(JoinRecent(out) + 1, StoredListSize);
}

TEST_F(Settings, RecentSplitFromStoredForm) {
    const char few[] = "x\ty";
    SplitRecent(few, sizeof few);
    EXPECT_STREQ(RecentFiles[0], "x");
    EXPECT_STREQ(RecentFiles[1], "y");
    EXPECT_STREQ(RecentFiles[2], "");
    const char many[] = "0\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11";
    SplitRecent(many, sizeof many);
    EXPECT_STREQ(RecentFiles[9], "9");
    // Characters after the NUL are not part of the list.
    const char afterNul[] = "a\0b\tc";
    SplitRecent(afterNul, sizeof afterNul);
    EXPECT_STREQ(RecentFiles[0], "a");
    EXPECT_STREQ(RecentFiles[1], "");
    // An entry keeps at most 255 characters.
    std::string longName(300, 'L');
    SplitRecent(longName.c_str(), longName.size() + 1);
    EXPECT_EQ(std::strlen(RecentFiles[0]), 255u);
}

TEST_F(Settings, FindFieldsJoinAndSplit) {
    char out[16];
    size_t len = 0;
    EXPECT_TRUE(AppendField(out, sizeof out, &len, "abc", true));
    EXPECT_TRUE(AppendField(out, sizeof out, &len, "", false));
    EXPECT_TRUE(AppendField(out, sizeof out, &len, "de", false));
    EXPECT_EQ(std::string(out, len + 1), std::string("abc\t\tde\0", 8));
    EXPECT_FALSE(AppendField(out, sizeof out, &len, "123456789", false));  // 8 + 10 + 1 > 16
    EXPECT_EQ(len, 7u);

    char field[8];
    size_t pos = NextField(out, len, 0, field, sizeof field);
    EXPECT_STREQ(field, "abc");
    pos = NextField(out, len, pos, field, sizeof field);
    EXPECT_STREQ(field, "");
    pos = NextField(out, len, pos, field, sizeof field);
    EXPECT_STREQ(field, "de");
    EXPECT_EQ(pos, len);
    EXPECT_EQ(NextField("ab\t", 2, 0, field, sizeof field), 2u);  // the field ends at size
}
