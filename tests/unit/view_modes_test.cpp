#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "document/document.h"
#include "document/line_index.h"
#include "view/view_modes.h"

namespace {
class ViewModes : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDocument();
        Checked = ShowMode = _TEXT_;
        AddrMode = AddrPhysical;
        WrapFlag = 0;
        RvaBias = 0;
        ScreenCols = 80;
    }
    void TearDown() override {
        ResetDocument();
        Checked = ShowMode = _TEXT_;
        AddrMode = AddrPhysical;
        WrapFlag = 0;
        RvaBias = 0;
    }
    // Loads `text` as the document in the current mode.
    void Load(const std::string& text) {
        std::memcpy(FileArea, text.data(), text.size());
        AdoptFile(FileArea, static_cast<int32_t>(text.size()));
    }
};

// n lines of `width` bytes, the line end included.
std::string Lines(int n, int width = 10) {
    std::string s;
    for (int i = 0; i < n; ++i) s += std::string(width - 1, 'a' + i % 26) + "\n";
    return s;
}
}  // namespace

TEST_F(ViewModes, TextToHexStartsAtTheTopLineUnrounded) {
    Load(Lines(200));  // line i starts at 10 * i
    LineNum = 101;     // offset 1000
    ByteModePosition();
    EXPECT_EQ(ByteNum, 1000);
    EXPECT_EQ(ByteOffset, 0);
    EXPECT_EQ(NumBytes, 2000u);
    LineNum = 900;  // beyond the last line: the last line's start
    ByteModePosition();
    EXPECT_EQ(ByteNum, 2000);
}

TEST_F(ViewModes, HexToTextTakesTheLineHoldingByteNum) {
    Load(Lines(200));
    Checked = _HEX_;
    ByteNum = 1234;  // inside line 123
    Col = 7;
    bool reported = true;
    ASSERT_TRUE(TextModePosition(&reported));
    EXPECT_FALSE(reported);
    EXPECT_EQ(LineNum, 124);
    EXPECT_EQ(Col, 1);
    EXPECT_EQ(NumLines, 201);  // the empty line after the last line end counts
    EXPECT_EQ(NumCols, 9);
}

TEST_F(ViewModes, BetweenHexAndCharByteNumIsKept) {
    Load(Lines(20));
    Checked = _HEX_;
    ByteNum = 77;
    ByteModePosition();
    EXPECT_EQ(ByteNum, 77);
    Col = 5;
    ModeColumn(_CHAR_);
    EXPECT_EQ(Col, 1);
    Col = 5;
    ModeColumn(_TEXT_);
    EXPECT_EQ(Col, 5);
}

TEST_F(ViewModes, TextBuildsTheTableWhenThereIsNone) {
    Checked = _HEX_;
    Load(Lines(30));
    EXPECT_EQ(LineNumFlag, 0);
    bool reported = true;
    ASSERT_TRUE(TextModePosition(&reported));
    EXPECT_EQ(LineNumFlag, 1);
    EXPECT_EQ(NumLines, 31);
}

TEST_F(ViewModes, TooManyLinesLeavesEverythingAsItWas) {
    Checked = _HEX_;
    Load(std::string(40000, '\n'));
    ByteNum = 5;
    LineNum = 1;
    Col = 3;
    bool reported = false;
    EXPECT_FALSE(TextModePosition(&reported));
    EXPECT_TRUE(reported);  // the build has just told the user
    EXPECT_EQ(Col, 3);
    EXPECT_EQ(ByteNum, 5);
    // Asked again, the table exists: the command itself must tell.
    EXPECT_FALSE(TextModePosition(&reported));
    EXPECT_FALSE(reported);
}

TEST_F(ViewModes, WrapRebuildsOnlyWhenNeeded) {
    Load(Lines(10, 40));  // lines of 39 characters
    ScreenCols = 80;
    Col = 4;
    EXPECT_FALSE(ToggleWrap());  // every line fits: no rebuild
    EXPECT_EQ(WrapFlag, 8);
    EXPECT_EQ(Col, 1);
    EXPECT_TRUE(ToggleWrap());  // off always rebuilds
    EXPECT_EQ(WrapFlag, 0);
    ScreenCols = 20;
    EXPECT_TRUE(ToggleWrap());  // lines wider than the view
    EXPECT_GT(NumLines, 11);
    ToggleWrap();
    EXPECT_EQ(NumLines, 11);
}

TEST_F(ViewModes, AddressesInTheThreeModes) {
    ByteOffset = 0x400;
    RvaBias = 0xC00;
    AddrMode = AddrZero;
    EXPECT_EQ(AddressOf(0), 0u);
    EXPECT_EQ(PositionOfAddress(0x10), 0x10);
    EXPECT_EQ(MarkOffsetOfAddress(0x10), 0x410);
    AddrMode = AddrPhysical;
    EXPECT_EQ(AddressOf(0), 0x400u);
    EXPECT_EQ(PositionOfAddress(0x410), 0x10);
    EXPECT_EQ(MarkOffsetOfAddress(0x410), 0x410);
    AddrMode = AddrRva;
    EXPECT_EQ(AddressOf(0), 0x1000u);
    EXPECT_EQ(PositionOfAddress(0x1010), 0x10);
    EXPECT_EQ(MarkOffsetOfAddress(0x1010), 0x410);
    // An address below the range gives a negative position for the caller to clamp.
    EXPECT_EQ(PositionOfAddress(0x0), -0x1000);
}

TEST_F(ViewModes, StatusTextsOfTextMode) {
    ShowMode = _TEXT_;
    LineNum = 250;
    NumLines = 500;
    Col = 1;
    NumCols = 12345678;  // wider than the field: leading digits go
    char p2[64], p3[64];
    PositionTexts(p2, p3);
    EXPECT_STREQ(p2, "\tLine     250 of     500");
    EXPECT_STREQ(p3, "\tColumn       1 of 2345678");
}

TEST_F(ViewModes, StatusTextsOfHexAndInterpretTables) {
    ShowMode = Checked = _HEX_;
    ByteNum = 0x1A0;
    NumBytes = 0x2000;
    char p2[64], p3[64];
    PositionTexts(p2, p3);
    EXPECT_STREQ(p2, "\tByte values are in hex.");
    EXPECT_STREQ(p3, "\tByte     1A0 of    2000");
    Checked = _INTERP_;
    ByteOffset = 0x400;
    PositionTexts(p2, p3);
    EXPECT_STREQ(p2, "\tOffset to table =    400 bytes");
    ByteOffset = 0;
    PositionTexts(p2, p3);
    EXPECT_STREQ(p2, "\tByte values are in hex.");
    // A text listing in interpret mode counts lines.
    ShowMode = _TEXT_;
    PositionTexts(p2, p3);
    EXPECT_EQ(std::string(p2).substr(0, 5), "\tLine");
}
