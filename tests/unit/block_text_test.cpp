#include "app/block_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/document.h"
#include "document/line_index.h"

namespace {

class BlockText : public DocTest {
protected:
    // The block text of columns [c1, c2) over the lines holding the offsets
    // from and to, built in exactly the room it asks for.
    std::string Block(int32_t from, int32_t to, int32_t c1, int32_t c2) {
        MarkState = 2;
        MarkStart = from;
        MarkEnd = to;
        BlockCol1 = c1;
        BlockCol2 = c2;
        const int64_t room = BlockTextRoom();
        std::vector<char> out(static_cast<size_t>(room), '#');
        const int32_t len = GetBlockText(out.data(), room);
        EXPECT_EQ(BlockSize, len + 1);
        EXPECT_EQ(out[static_cast<size_t>(len)], '\0');
        return std::string(out.data(), static_cast<size_t>(len));
    }
};

TEST_F(BlockText, ShortLinesArePadded) {
    Load("0123456789ab\r\nxy\r\nABCDEFGHIJKL\r\n");
    EXPECT_EQ(Block(4, 25, 4, 10), "456789\r\n      \r\nEFGHIJ\r\n");
    EXPECT_EQ(Block(4, 4, 4, 10), "456789\r\n");
    // The mark's ends in either order, the columns in either order.
    EXPECT_EQ(Block(25, 4, 4, 10), "456789\r\n      \r\nEFGHIJ\r\n");
    EXPECT_EQ(Block(4, 25, 10, 4), "\r\n\r\n\r\n");
}

TEST_F(BlockText, TabsAreExpandedToTheirStops) {
    // A tab at column 8 reaches 16; one that crosses the block's right edge
    // is expanded in full.
    Load("abcdefgh\tij\r\nabcdefghijkl\tm\r\n");
    EXPECT_EQ(Block(0, 14, 6, 18), "gh        ij\r\nghijkl    m \r\n");
    EXPECT_EQ(Block(0, 0, 6, 10), "gh        \r\n");
    // A tab that straddles the left edge gives the spaces from the edge on,
    // on every line of the block.
    EXPECT_EQ(Block(0, 14, 10, 18), "      ij\r\nkl    m \r\n");
    Load("abcdefghi\tz\r\nx\ty\r\n");
    EXPECT_EQ(Block(0, 13, 4, 10), "efghi       \r\n    y \r\n");
}

TEST_F(BlockText, AnyLineEndEndsALine) {
    // LF alone, LF CR, and a last line without a line end.
    Load("abcdef\nab\n\rabcdef");
    EXPECT_EQ(Block(0, 16, 1, 5), "bcde\r\nb   \r\nbcde\r\n");
    Load("abc");
    EXPECT_EQ(Block(0, 3, 2, 6), "c   \r\n");
    Load("");
    EXPECT_EQ(Block(0, 0, 0, 3), "   \r\n");
}

TEST_F(BlockText, WrappedLinesEndWhereTheDisplayLineEnds) {
    WrapFlag = 8;
    ScreenCols = 10;
    Load("aaaa bbbb cccc\r\n");  // "aaaa bbbb " and "cccc"
    ASSERT_EQ(NumLines, 3);
    EXPECT_EQ(Block(0, 10, 2, 7), "aa bb\r\ncc   \r\n");
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

class MarkedArea : public DocTest {};

TEST_F(MarkedArea, TheBytesOfTheMarkStayInsideTheFile) {
    Load("0123456789");
    MarkStart = 3;
    MarkEnd = 7;
    MarkedSpan s = MarkedBytes();
    EXPECT_EQ(s.start, 3);
    EXPECT_EQ(s.len, 4);
    MarkEnd = 50;
    s = MarkedBytes();
    EXPECT_EQ(s.len, 7);
    MarkStart = -5;
    MarkEnd = 2;
    s = MarkedBytes();
    EXPECT_EQ(s.start, 0);
    EXPECT_EQ(s.len, 2);
    MarkStart = 8;
    MarkEnd = 2;
    EXPECT_EQ(MarkedBytes().len, 0);
}

TEST_F(MarkedArea, ClipboardTextEndsAtTheFirstZeroByte) {
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
