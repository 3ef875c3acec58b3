#include "view/view_modes.h"

#include <gtest/gtest.h>

#include <string>

#include "doc_fixture.h"
#include "document/document.h"
#include "document/line_index.h"

namespace {

using ViewModes = DocTest;

// n lines of `width` bytes, the line end included.
std::string Lines(int n, int width = 10) {
    std::string s;
    for (int i = 0; i < n; ++i) s += std::string(width - 1, 'a' + i % 26) + "\n";
    return s;
}

TEST_F(ViewModes, PositionsCarriedBetweenModes) {
    Load(Lines(200));  // line i starts at 10 * i
    LineNum = 101;
    ByteModePosition();  // text to hex: the top line's start, unrounded
    EXPECT_EQ(ByteNum, 1000);
    EXPECT_EQ(ByteOffset, 0);
    EXPECT_EQ(NumBytes, 2000u);
    LineNum = 900;  // beyond the last line: the last line's start
    ByteModePosition();
    EXPECT_EQ(ByteNum, 2000);

    Checked = _HEX_;
    ByteNum = 77;  // hex and char keep ByteNum
    ByteModePosition();
    EXPECT_EQ(ByteNum, 77);
    Col = 5;
    ModeColumn(_TEXT_);
    EXPECT_EQ(Col, 5);
    ModeColumn(_CHAR_);
    EXPECT_EQ(Col, 1);

    ByteNum = 1234;  // hex to text: the line holding ByteNum
    Col = 7;
    bool reported = true;
    ASSERT_TRUE(TextModePosition(&reported));
    EXPECT_FALSE(reported);
    EXPECT_EQ(LineNum, 124);
    EXPECT_EQ(Col, 1);
    EXPECT_EQ(NumLines, 201);  // the empty line after the last line end counts
    EXPECT_EQ(NumCols, 9);
}

TEST_F(ViewModes, TextModeBuildsTheLineTableOrLeavesAllAsItWas) {
    Checked = _HEX_;
    Load(Lines(30));
    EXPECT_EQ(LineNumFlag, 0);
    bool reported = true;
    ASSERT_TRUE(TextModePosition(&reported));
    EXPECT_EQ(LineNumFlag, 1);
    EXPECT_EQ(NumLines, 31);

    Checked = _HEX_;
    Load(std::string(40000, '\n'));
    ByteNum = 5;
    Col = 3;
    reported = false;
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
    Col = 4;
    EXPECT_FALSE(ToggleWrap());  // every line fits the 80 columns: no rebuild
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
    const struct {
        uint16_t mode;
        uint32_t first, address;  // of position 0, and of position 0x10
    } cases[] = {{AddrZero, 0, 0x10}, {AddrPhysical, 0x400, 0x410}, {AddrRva, 0x1000, 0x1010}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        AddrMode = c.mode;
        EXPECT_EQ(AddressOf(0), c.first);
        EXPECT_EQ(PositionOfAddress(c.address), 0x10);
        EXPECT_EQ(MarkOffsetOfAddress(c.address), 0x410);
    }
    // An address below the range gives a negative position for the caller to clamp.
    EXPECT_EQ(PositionOfAddress(0x0), -0x1000);
}

TEST_F(ViewModes, StatusTexts) {
    LineNum = 250;
    NumLines = 500;
    Col = 1;
    NumCols = 12345678;  // wider than the field: leading digits go
    ByteNum = 0x1A0;
    NumBytes = 0x2000;
    const struct {
        uint16_t show, checked;
        int32_t offset;
        const char *p2, *p3;
    } cases[] = {
        {_TEXT_, _TEXT_, 0, "\tLine     250 of     500", "\tColumn       1 of 2345678"},
        {_HEX_, _HEX_, 0, "\tByte values are in hex.", "\tByte     1A0 of    2000"},
        {_HEX_, _INTERP_, 0x400, "\tOffset to table =    400 bytes", "\tByte     1A0 of    2000"},
        {_HEX_, _INTERP_, 0, "\tByte values are in hex.", "\tByte     1A0 of    2000"},
        {_TEXT_, _INTERP_, 0x400, "\tLine     250 of     500", "\tColumn       1 of 2345678"},
    };
    for (const auto& c : cases) {
        ShowMode = c.show;
        Checked = c.checked;
        ByteOffset = c.offset;
        char p2[64], p3[64];
        PositionTexts(p2, p3);
        EXPECT_STREQ(p2, c.p2);
        EXPECT_STREQ(p3, c.p3);
    }
}

}  // namespace
