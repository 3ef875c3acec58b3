#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_fixture.h"
#include "row_capture.h"
#include "view/text_rows.h"

namespace {

class TextRows : public DocTest {
protected:
    std::vector<CapturedRow> Rows(int32_t rows, int32_t cols, int32_t first = 1,
                                  int32_t col = 1, int32_t digits = 0, int32_t mark = 0) {
        CaptureSink sink;
        const int32_t built = BuildTextRows(rows, cols, first, col, digits, mark, sink);
        EXPECT_EQ(built, static_cast<int32_t>(sink.rows.size()));
        for (const CapturedRow& r : sink.rows) {
            EXPECT_EQ(r.text.size(), static_cast<size_t>(cols));
            EXPECT_TRUE(PiecesTile(r)) << r.text;
        }
        return sink.rows;
    }
};

// The rows of a text (with wrapping at `wrap` columns when not 0): their
// cells, and under them the marked cells ('#') when a mark is given.
TEST_F(TextRows, RowsAndTheirMarks) {
    struct Case {
        const char* what;
        std::string text;
        int32_t wrap, cols, first, col;
        int32_t mark, start, end;  // mark 1 range, 2 block
        std::vector<std::string> rows, marked;
        int32_t col1 = 0, col2 = 0;  // the block's columns, from the line start
    } cases[] = {
        {"tab", "a\tb", 0, 12, 1, 1, 0, 0, 0, {"a       b   "}, {}},
        {"scrolled", "abcdefghijklmnopqrst", 0, 16, 1, 5, 0, 0, 0, {"efghijklmnopqrst"}, {}},
        {"tab over the left edge", "ab\tcd", 0, 6, 1, 5, 0, 0, 0, {"    cd"}, {}},
        {"line ends", "ab\r\ncd\nef", 0, 4, 1, 1, 0, 0, 0, {"ab  ", "cd  ", "ef  "}, {}},
        {"cut", "0123456789abcdef\nx", 0, 10, 1, 1, 0, 0, 0, {"0123456789", "x         "}, {}},
        {"wrapped", "0123456789abcdef\nx", 10, 10, 1, 1, 0, 0, 0,
         {"0123456789", "abcdef    ", "x         "}, {}},
        {"below the last line", "a\nb", 0, 4, 3, 1, 0, 0, 0, {}, {}},
        {"the last line", "a\nb", 0, 4, 2, 1, 0, 0, 0, {"b   "}, {}},
        {"empty", "", 0, 4, 1, 1, 0, 0, 0, {"    "}, {}},
        {"range over two lines", "abcdef\r\nghijkl\r\n", 0, 10, 1, 1, 1, 3, 11,
         {"abcdef    ", "ghijkl    ", "          "}, {"   ####   ", "###       ", "          "}},
        {"range begun above", "aaaa\nbbbb\ncccc", 0, 6, 2, 1, 1, 1, 12, {"bbbb  ", "cccc  "},
         {"##### ", "##    "}},
        {"range scrolled left", "0123456789", 0, 6, 1, 5, 1, 2, 6, {"456789"}, {"##    "}},
        {"marked tab", "a\tb", 0, 10, 1, 1, 1, 1, 2, {"a       b "}, {" #######  "}},
        {"block", "0123456789\n01\n0123456789\n0123456789\nzz", 0, 12, 1, 1, 2, 3, 32,
         {"0123456789  ", "01          ", "0123456789  ", "0123456789  ", "zz          "},
         {"   ####     ", "   ####     ", "   ####     ", "   ####     ", "            "}, 3, 7},
        {"block right to left", "0123456789\n0123456789", 0, 12, 1, 1, 2, 7, 14,
         {"0123456789  ", "0123456789  "}, {"  ######    ", "  ######    "}, 2, 8},
        {"block scrolled", "0123456789\n0123456789", 0, 5, 1, 4, 2, 4, 19, {"34567", "34567"},
         {" ####", " ####"}, 4, 8},
    };
    for (const Case& c : cases) {
        WrapFlag = c.wrap ? 8 : 0;
        ScreenCols = c.wrap;
        Load(c.text);
        MarkStart = c.start;
        MarkEnd = c.end;
        const auto rows = Rows(9, c.cols, c.first, c.col, 0, c.mark);
        std::vector<std::string> texts, marked;
        for (const CapturedRow& r : rows) {
            texts.push_back(r.text);
            marked.push_back(r.marked);
            if (!c.mark) {
                EXPECT_EQ(r.pieces.size(), 1u) << c.what;  // one text call a row
            }
        }
        EXPECT_EQ(texts, c.rows) << c.what;
        if (c.mark) {
            EXPECT_EQ(marked, c.marked) << c.what;
        }
        if (c.mark == 2) {
            EXPECT_EQ(BlockCol1, c.col1) << c.what;
            EXPECT_EQ(BlockCol2, c.col2) << c.what;
        }
    }
}

TEST_F(TextRows, ControlAndHighBytesAreDrawnUnconverted) {
    ConvertFlag = 8;  // only hex and char rows convert
    Load(std::string("a\x01\x7f\xff", 4));
    EXPECT_EQ(Rows(1, 4)[0].text, std::string("a\x01\x7f\xff", 4));
}

TEST_F(TextRows, LineNumbersOnRealLinesOnly) {
    WrapFlag = 8;
    ScreenCols = 6;
    Load("abcdefghij\nxy");
    LineCounter = 1;
    auto rows = Rows(9, 12, 1, 1, 2);  // three digits
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, "001:  abcdef");
    EXPECT_EQ(rows[1].text, "      ghij  ");
    EXPECT_EQ(rows[2].text, "002:  xy    ");
    EXPECT_EQ(LineCounter, 3);

    LineCounter = 123456;  // digits that do not fit are dropped
    Load("z");
    rows = Rows(1, 10, 1, 1, 4);
    EXPECT_EQ(rows[0].text, "23456:  z ");
}

TEST_F(TextRows, RowsNeverReadBeyondALineTableOfAnotherFile) {
    Load("a\nb\nc\nd\ne\nf");
    Checked = _HEX_;
    Load("x");  // the line table is cleared, not left for the old file
    EXPECT_LE(Rows(9, 4).size(), 1u);
}

}  // namespace
