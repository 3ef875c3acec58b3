#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_fixture.h"
#include "view/hex_rows.h"
#include "view/text_rows.h"

namespace {

// Collects built rows as text joined by '|', and as '#' under the marked cells; the pieces of a row
// must tile its cells, each cell drawn exactly once.
struct Capture final : RowSink {
    void Put(const Row& row) override {
        const size_t n = static_cast<size_t>(row.len);
        std::string marked(n, ' '), drawn(n, '0');
        for (int32_t i = 0; i < row.count; ++i) {
            const RowPiece& p = row.pieces[i];
            ASSERT_GE(p.cell, 0);
            ASSERT_GT(p.len, 0);
            ASSERT_LE(p.cell + p.len, row.len);
            for (int32_t c = p.cell; c < p.cell + p.len; ++c) {
                ++drawn[c];
                marked[c] = p.marked ? '#' : ' ';
            }
        }
        EXPECT_EQ(drawn, std::string(n, '1')) << std::string(row.text, n);
        rows.emplace_back(row.text, n);
        marks.push_back(marked);
    }
    static std::string Join(const std::vector<std::string>& v, size_t at = 0,
                            size_t len = std::string::npos) {
        std::string s;
        for (const std::string& r : v)
            s += (s.empty() ? "" : "|") + r.substr(std::min(at, r.size()), len);
        return s;
    }
    std::vector<std::string> rows, marks;
};

using Rows = DocTest;

// The block's columns as set by the row builders.
std::string Columns(int32_t first = BlockCol1, int32_t end = BlockCol2) {
    return "columns " + std::to_string(first) + ".." + std::to_string(end);
}

// Rows of a text (wrapped at `wrap` columns when not 0) and, with a mark (1 range, 2 block), the
// marked cells; the view fuzz target builds text rows of any bytes, width and column for the
// faults.
TEST_F(Rows, TextRowsAndTheirMarks) {
    const struct {
        const char* what;
        std::string text;
        int32_t wrap, cols, col, mark, start, end;
        const char *rows, *marked;
        int32_t col1, col2;
    } cases[] = {
        {"scrolled", "abcdefghijklmnopqrst", 0, 16, 5, 0, 0, 0, "efghijklmnopqrst", "", 0, 0},
        {"wrapped", "0123456789abcdef\nx", 10, 10, 1, 0, 0, 0, "0123456789|abcdef    |x         ",
         "", 0, 0},
        {"control and high bytes unconverted", std::string("a\x01\x7f\xff", 4), 0, 4, 1, 0, 0, 0,
         "a\x01\x7f\xff", "", 0, 0},
        {"range over two lines", "abcdef\r\nghijkl\r\n", 0, 10, 1, 1, 3, 11,
         "abcdef    |ghijkl    |          ", "   ####   |###       |          ", 0, 0},
        {"block scrolled", "0123456789\n0123456789", 0, 5, 4, 2, 4, 19, "34567|34567",
         " ####| ####", 4, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WrapFlag = c.wrap ? 8 : 0;
        ScreenCols = c.wrap;
        ConvertFlag = 8;  // only hex and char rows convert
        Load(c.text);
        MarkStart = c.start;
        MarkEnd = c.end;
        BlockCol1 = BlockCol2 = 0;
        Capture sink;
        const int32_t built = BuildTextRows(9, c.cols, 1, c.col, 0, c.mark, sink);
        EXPECT_EQ(built, static_cast<int32_t>(sink.rows.size()));
        EXPECT_EQ(Capture::Join(sink.rows), c.rows);
        const std::string marks = Capture::Join(sink.marks);  // "" when no cell is marked
        EXPECT_EQ(marks.find('#') == std::string::npos ? "" : marks, c.marked);
        EXPECT_EQ(Columns(), Columns(c.col1, c.col2));
    }
    WrapFlag = 8;  // numbers on real lines only, digits that do not fit dropped
    ScreenCols = 6;
    LineCounter = 1;
    Load("abcdefghij\nxy");
    Capture sink;
    BuildTextRows(9, 12, 1, 1, 2, 0, sink);
    EXPECT_EQ(Capture::Join(sink.rows), "001:  abcdef|      ghij  |002:  xy    ");
    LineCounter = 123456;
    Load("z");
    BuildTextRows(1, 10, 1, 1, 4, 0, sink);
    EXPECT_EQ(sink.rows.back(), "23456:  z ");
}

// The digits and characters of hex and char rows are compared with xxd by the golden test of
// orvex-dump; here: addresses, marks and limits. A row's marked cells from `at`, for rows built
// from `first`.
TEST_F(Rows, HexRowMarks) {
    const struct {
        const char* what;
        uint16_t mode;
        int32_t size, first, mark, start, end, col1, col2;
        size_t at, len;
        const char* marked;
    } cases[] = {
        {"bytes 2..5: their digits with the blanks between", _HEX_, 200, 0, 1, 2, 6, 0, 0, 15, 12,
         " #########  |            |            "},
        {"to the end of a short row", _HEX_, 20, 0, 1, 2, 20, 0, 0, 53, 18,
         "   ############## | ################ "},
        {"block whose last byte is just left of the first", _HEX_, 64, 0, 2, 5, 21, 58, 60, 54, 8,
         "    ##  |    ##  |        |        "},
        {"char block", _CHAR_, 200, 0, 2, 5, 136, 16, 19, 15, 5, " ### | ### | ### |     "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Checked = ShowMode = c.mode;
        std::string bytes;
        for (int i = 0; i < c.size; ++i) bytes += static_cast<char>(0x30 + i % 64);
        Load(bytes);
        MarkStart = c.start;
        MarkEnd = c.end;
        BlockCol1 = BlockCol2 = 0;
        const int32_t width = c.mode == _CHAR_ ? CharRowWidth : HexRowWidth;
        Capture sink;
        BuildHexRows(c.mark == 2 ? 4 : 3, 16, width, c.first, 1, c.mark, sink);
        EXPECT_EQ(Capture::Join(sink.marks, c.at, c.len), c.marked);
        EXPECT_EQ(Columns(), Columns(c.col1, c.col2));
    }
}

// Rows built from `first` of a document of `size` bytes counting up from `from`, with a range of
// `num` bytes at `offset` (num 0: the whole file; size -1: no buffer at all): how many, and the
// rows' cells from `at` joined. The view fuzz target builds rows over any range and address mode
// for the faults; here the values.
TEST_F(Rows, HexRowAddressesAndLimits) {
    const uint16_t P = AddrPhysical;
    const struct {
        const char* what;
        uint16_t mode;
        int size, from, offset, num;
        uint16_t addr;
        int32_t rows, col, built;
        size_t at, len;
        std::string want;
    } cases[] = {
        {"an RVA: 0x400 + 0xC00", _HEX_, 0x600, 0x71, 0x400, 0x100, AddrRva, 1, 1, 1, 0, 9,
         "00001000:"},
        {"scrolled", _HEX_, 2, 0x41, 0, 0, P, 1, 12, 1, 0, 99,
         "4142" + std::string(38, ' ') + "[AB              ]"},
        {"no buffer", _CHAR_, -1, 0, 0, 0, P, 3, 1, 1, 0, 75, "00000000:" + std::string(66, ' ')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Checked = ShowMode = c.mode;
        std::string bytes;
        for (int i = 0; i < c.size; ++i) bytes += static_cast<char>(c.from + i);
        Load(bytes);
        if (c.size < 0) AdoptFile(nullptr, 0);
        if (c.offset) ByteOffset = c.offset;
        if (c.num) NumBytes = static_cast<uint32_t>(c.num);
        AddrMode = c.addr;
        RvaBias = 0xC00;
        const int32_t perRow = c.mode == _CHAR_ ? 64 : 16;
        const int32_t width = c.mode == _CHAR_ ? CharRowWidth : HexRowWidth;
        Capture sink;
        EXPECT_EQ(BuildHexRows(c.rows, perRow, width, 0, c.col, 0, sink), c.built);
        EXPECT_EQ(Capture::Join(sink.rows, c.at, c.len), c.want);
    }
}

}  // namespace
