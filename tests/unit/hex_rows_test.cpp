#include <gtest/gtest.h>

#include <string>

#include "doc_fixture.h"
#include "row_capture.h"
#include "view/hex_rows.h"

namespace {

std::string Pad(std::string s, size_t width) {
    s.resize(width, ' ');
    return s;
}

std::string Bytes(int n, int from = 0) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>(from + i);
    return s;
}

class HexRows : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        Checked = ShowMode = _HEX_;
    }
    std::vector<CapturedRow> Rows(int32_t rows, int32_t first = 0, int32_t col = 1,
                                  int32_t mark = 0) {
        const bool charMode = ShowMode == _CHAR_;
        const int32_t width = charMode ? CharRowWidth : HexRowWidth;
        CaptureSink sink;
        const int32_t built =
            BuildHexRows(rows, charMode ? 64 : 16, width, first, col, mark, sink);
        EXPECT_EQ(built, static_cast<int32_t>(sink.rows.size()));
        for (const CapturedRow& r : sink.rows) {
            EXPECT_EQ(r.text.size(), static_cast<size_t>(width - (col - 1)));
            EXPECT_TRUE(PiecesTile(r)) << r.text;
        }
        return sink.rows;
    }
};

// The layout of rows in both modes, with and without convert, from any
// first byte, is compared with xxd's digits by the golden test of orvex-dump;
// here: what it does not reach.
TEST_F(HexRows, AddressesAndAScrolledColumn) {
    Load(std::string(0x600, 'q'));
    ByteOffset = 0x400;
    NumBytes = 0x100;
    RvaBias = 0xC00;
    const struct {
        uint16_t mode;
        int32_t offset;
        const char* address;
    } cases[] = {{AddrZero, 0x400, "00000000:"}, {AddrPhysical, 0x400, "00000400:"},
                 {AddrRva, 0x400, "00001000:"}, {AddrRva, 0x200, "00000E00:"}};
    for (const auto& c : cases) {
        AddrMode = c.mode;
        ByteOffset = c.offset;
        EXPECT_EQ(Rows(1)[0].text.substr(0, 9), c.address);
    }
    Load("AB");
    EXPECT_EQ(Rows(1, 0, 12)[0].text.substr(0, 4), "4142");  // from the first digit
}

// Range marks: which cells of a row are marked ('#'), as a piece of the row
// from a column.
TEST_F(HexRows, RangeMarksCoverDigitsAndCharacters) {
    struct Case {
        uint16_t mode;
        int32_t first, start, end;
        size_t row, at;
        std::string marked;
    } cases[] = {
        // Bytes 2..5 of a row: their digits with the blanks between, then
        // their characters.
        {_HEX_, 0, 2, 6, 0, 15, " #########  "},
        {_HEX_, 0, 2, 6, 0, 55, " #### "},
        {_HEX_, 0, 2, 6, 1, 0, std::string(71, ' ')},
        // Past the row's end: through byte 15's digits, never the brackets.
        {_HEX_, 0, 14, 40, 0, 46, " #### "},
        {_HEX_, 0, 14, 40, 0, 68, "## "},
        {_HEX_, 0, 14, 40, 1, 10, " " + std::string(40, '#') + "   " + std::string(16, '#') + " "},
        {_HEX_, 0, 14, 40, 2, 11, std::string(19, '#') + "  "},
        {_HEX_, 0, 14, 40, 2, 54, "######## "},
        // Begun before the first row: from the row's first byte.
        {_HEX_, 32, 3, 40, 0, 54, "######## "},
        {_CHAR_, 0, 60, 70, 0, 70, " ####"},
        {_CHAR_, 0, 60, 70, 1, 11, "###### "},
    };
    for (const Case& c : cases) {
        ShowMode = c.mode;
        Load(Bytes(200, 0x30));
        MarkStart = c.start;
        MarkEnd = c.end;
        const auto rows = Rows(3, c.first, 1, 1);
        ASSERT_GT(rows.size(), c.row);
        EXPECT_EQ(rows[c.row].marked.substr(c.at, c.marked.size()), c.marked)
            << c.start << ".." << c.end << " row " << c.row << " at " << c.at;
    }
}

TEST_F(HexRows, ARangeToTheEndMarksTheShortLastRowToItsEnd) {
    Load(Bytes(20, 0x30));
    MarkStart = 2;
    MarkEnd = 20;
    const auto rows = Rows(2, 0, 1, 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].marked.substr(53), " " + std::string(16, '#') + " ");
}

TEST_F(HexRows, BlockMarkUsesTheSameColumnsOnEveryRow) {
    Load(Bytes(64, 0x30));
    MarkStart = 3;    // column of byte 3
    MarkEnd = 38;     // last byte 37: column of byte 5
    auto rows = Rows(4, 0, 1, 2);
    EXPECT_EQ(BlockCol1, 54 + 3);
    EXPECT_EQ(BlockCol2, 54 + 6);
    for (size_t r = 0; r < 3; ++r) {
        EXPECT_EQ(rows[r].marked.substr(54, 16), "   ###          ") << r;
        EXPECT_EQ(rows[r].marked.substr(16, 10), "  ####### ") << r;  // bytes 3..5
    }
    EXPECT_EQ(rows[3].marked, std::string(71, ' '));
}

TEST_F(HexRows, BlockEndingOnARowsFirstByteLeavesThatRowUnmarked) {
    Load(Bytes(64, 0x30));
    MarkStart = 2;
    MarkEnd = 33;  // last byte 32, the first of row 2
    auto rows = Rows(3, 0, 1, 2);
    EXPECT_EQ(BlockCol1, 54 + 0);  // swapped: 54+2 > 54+1
    EXPECT_EQ(BlockCol2, 54 + 3);
    EXPECT_NE(rows[0].marked, std::string(71, ' '));
    EXPECT_NE(rows[1].marked, std::string(71, ' '));
    // Offset 33 is not a row's first byte: the third row keeps the block.
    EXPECT_NE(rows[2].marked, std::string(71, ' '));

    MarkEnd = 32;
    rows = Rows(3, 0, 1, 2);
    EXPECT_EQ(rows[2].marked, std::string(71, ' '));
}

TEST_F(HexRows, CharModeBlockMarks) {
    ShowMode = _CHAR_;
    Load(std::string(200, 'c'));
    MarkStart = 5;
    MarkEnd = 64 * 2 + 8;
    auto rows = Rows(3, 0, 1, 2);
    EXPECT_EQ(BlockCol1, 11 + 5);
    EXPECT_EQ(BlockCol2, 11 + 8);
    for (size_t r = 0; r < 3; ++r) EXPECT_EQ(rows[r].marked.substr(15, 5), " ### ") << r;
}

TEST_F(HexRows, RowsStayInsideTheFile) {
    Load("abc");
    auto rows = Rows(5, 3);  // first at the end: only the address of position 3
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text.substr(0, 9), "00000003:");
    EXPECT_EQ(rows[0].text.substr(54, 3), "   ");

    Load(Bytes(20));
    ByteOffset = 10;
    NumBytes = 100000;  // a range that claims more than the file holds
    rows = Rows(50);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text.substr(54, 11), Bytes(10, 10) + " ");
    ByteOffset = 500;  // start outside the file
    EXPECT_EQ(Rows(50).size(), 1u);

    Load(Bytes(200));
    CaptureSink sink;
    BuildHexRows(2, 64, HexRowWidth, 0, 1, 0, sink);  // hex layout, 64 asked
    ASSERT_EQ(sink.rows.size(), 2u);
    EXPECT_EQ(sink.rows[1].text.substr(0, 8), "00000010");

    // An empty file held in a block of its own has no buffer at all.
    ShowMode = _CHAR_;
    AdoptFile(nullptr, 0);
    rows = Rows(3);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text, Pad("00000000:", CharRowWidth));
    ResetDocument();
}

TEST_F(HexRows, NarrowAndWideRows) {
    Load(Bytes(16, 0x41));
    CaptureSink sink;
    BuildHexRows(1, 16, 30, 0, 1, 0, sink);
    EXPECT_EQ(sink.rows[0].text, "00000000:  4142 4344 4546 4748");
    BuildHexRows(1, 16, 80, 0, 1, 0, sink);
    EXPECT_EQ(sink.rows[1].text.size(), 80u);
    EXPECT_EQ(sink.rows[1].text.substr(70), "]         ");
}

}  // namespace
