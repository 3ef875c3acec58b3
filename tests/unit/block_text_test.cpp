#include "app/block_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/document.h"
#include "document/line_index.h"

namespace {

using BlockText = DocTest;

// Columns [c1, c2) of the lines from the mark's start to its end; wrap: the
// view's width when lines are wrapped.
TEST_F(BlockText, ColumnsOfEachLinePaddedAndTabsExpanded) {
    const std::string lines = "0123456789ab\r\nxy\r\nABCDEFGHIJKL\r\n", tabs = "abcdefgh\tij\r\nabcdefghijkl\tm\r\n";
    const struct {
        std::string doc;
        int32_t from, to, c1, c2, wrap;
        const char* want;
    } cases[] = {
        {lines, 4, 25, 4, 10, 0, "456789\r\n      \r\nEFGHIJ\r\n"},  // short lines are padded
        {lines, 4, 4, 4, 10, 0, "456789\r\n"},
        {lines, 25, 4, 4, 10, 0, "456789\r\n      \r\nEFGHIJ\r\n"},  // the ends in either order
        {lines, 4, 25, 10, 4, 0, "\r\n\r\n\r\n"},
        // A tab at column 8 reaches 16; one across the right edge is expanded in full.
        {tabs, 0, 14, 6, 18, 0, "gh        ij\r\nghijkl    m \r\n"},
        {tabs, 0, 0, 6, 10, 0, "gh        \r\n"},
        // One across the left edge gives the spaces from the edge on.
        {tabs, 0, 14, 10, 18, 0, "      ij\r\nkl    m \r\n"},
        {"abcdefghi\tz\r\nx\ty\r\n", 0, 13, 4, 10, 0, "efghi       \r\n    y \r\n"},
        // LF alone, LF CR, and a last line without a line end.
        {"abcdef\nab\n\rabcdef", 0, 16, 1, 5, 0, "bcde\r\nb   \r\nbcde\r\n"},
        {"abc", 0, 3, 2, 6, 0, "c   \r\n"},
        {"", 0, 0, 0, 3, 0, "   \r\n"},
        // Display lines "aaaa bbbb " and "cccc".
        {"aaaa bbbb cccc\r\n", 0, 10, 2, 7, 10, "aa bb\r\ncc   \r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        WrapFlag = c.wrap ? 8 : 0;
        ScreenCols = c.wrap ? c.wrap : 80;
        Load(c.doc);
        MarkState = 2;
        MarkStart = c.from;
        MarkEnd = c.to;
        BlockCol1 = c.c1;
        BlockCol2 = c.c2;
        // Built in exactly the room it asks for.
        const int64_t room = BlockTextRoom();
        std::vector<char> out(static_cast<size_t>(room), '#');
        const int32_t len = GetBlockText(out.data(), room);
        EXPECT_EQ(BlockSize, len + 1);
        EXPECT_EQ(out[static_cast<size_t>(len)], '\0');
        EXPECT_EQ(std::string(out.data(), static_cast<size_t>(len)), c.want);
    }
}

TEST_F(BlockText, ASmallRoomCutsTheText) {
    Load("0123456789\r\n0123456789\r\n");
    MarkState = 2;
    MarkStart = 0;
    MarkEnd = 12;
    BlockCol1 = 0;
    BlockCol2 = 10;
    char out[8];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(GetBlockText(out, 5), 4);
    EXPECT_STREQ(out, "0123");
    EXPECT_EQ(out[5], '#');
    EXPECT_EQ(GetBlockText(out, 0), 0);
    EXPECT_EQ(out[5], '#');
}

TEST_F(BlockText, TheBytesOfTheMarkStayInsideTheFile) {
    Load("0123456789");
    const struct {
        int32_t start, end, wantStart, wantLen;
    } cases[] = {{3, 7, 3, 4}, {3, 50, 3, 7}, {-5, 2, 0, 2}, {8, 2, 8, 0}};
    for (const auto& c : cases) {
        MarkStart = c.start;
        MarkEnd = c.end;
        const MarkedSpan s = MarkedBytes();
        EXPECT_TRUE(c.wantLen == 0 || s.start == c.wantStart) << c.start;
        EXPECT_EQ(s.len, c.wantLen) << c.start;
    }
}

TEST_F(BlockText, ClipboardTextEndsAtTheFirstZeroByte) {
    std::string bin(32, '\0');
    for (int i = 0; i < 32; ++i) bin[static_cast<size_t>(i)] = static_cast<char>(0x41 + i % 8);
    bin[0x16] = '\0';
    Checked = ShowMode = _HEX_;
    Load(bin);
    MarkStart = 0x10;
    MarkEnd = 0x20;
    EXPECT_EQ(MarkedBytes().len, 16);  // Export writes all 16, the zero included
    char out[17];
    EXPECT_EQ(GetMarkedText(out, 17), 6);
    EXPECT_STREQ(out, "ABCDEF");

    // No zero byte: the text stops at the mark's end, not at the next zero.
    MarkStart = 0x17;
    MarkEnd = 0x19;
    EXPECT_EQ(GetMarkedText(out, 17), 2);
    EXPECT_STREQ(out, "HA");
    EXPECT_EQ(GetMarkedText(out, 2), 1);  // room for one byte and the NUL
    EXPECT_STREQ(out, "H");
}

}  // namespace
