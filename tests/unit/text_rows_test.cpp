#include <gtest/gtest.h>

#include <string>

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

TEST_F(TextRows, TabsExpandToTheNextStop) {
    Load("a\tb");
    auto rows = Rows(5, 12);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text, "a       b   ");
    EXPECT_EQ(rows[0].pieces.size(), 1u);
}

TEST_F(TextRows, LeftColumnScrollsTheText) {
    Load("abcdefghijklmnopqrst");
    auto rows = Rows(1, 16, 1, 5);
    EXPECT_EQ(rows[0].text, "efghijklmnopqrst");
    // A tab that straddles the left edge leaves its blanks.
    Load("ab\tcd");
    rows = Rows(1, 6, 1, 5);
    EXPECT_EQ(rows[0].text, "    cd");
}

TEST_F(TextRows, LineEndsShowAsOneBlankAndPairsAreNotDrawn) {
    Load("ab\r\ncd\nef");
    auto rows = Rows(9, 4);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, "ab  ");
    EXPECT_EQ(rows[1].text, "cd  ");
    EXPECT_EQ(rows[2].text, "ef  ");
}

TEST_F(TextRows, LongLinesAreCutOrWrapped) {
    Load("0123456789abcdef\nx");
    auto rows = Rows(9, 10);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text, "0123456789");

    WrapFlag = 8;
    ScreenCols = 10;
    GetLinePtrs(0, FileSize);
    rows = Rows(9, 10);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, "0123456789");
    EXPECT_EQ(rows[1].text, "abcdef    ");
    EXPECT_EQ(rows[2].text, "x         ");
}

TEST_F(TextRows, ControlAndHighBytesAreDrawnUnconverted) {
    ConvertFlag = 8;  // only hex and char rows convert
    Load(std::string("a\x01\x7f\xff", 4));
    auto rows = Rows(1, 4);
    EXPECT_EQ(rows[0].text, std::string("a\x01\x7f\xff", 4));
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

TEST_F(TextRows, StreamMarkAcrossTwoLines) {
    Load("abcdef\r\nghijkl\r\n");
    MarkStart = 3;   // 'd'
    MarkEnd = 11;    // 'j' is the first unmarked byte
    auto rows = Rows(9, 10, 1, 1, 0, 1);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0].marked, "   ####   ");  // d e f and the blank for CR
    EXPECT_EQ(rows[1].marked, "###       ");  // g h i
    EXPECT_EQ(rows[0].pieces.size(), 3u);
    EXPECT_TRUE(rows[0].pieces[1].marked);
}

TEST_F(TextRows, StreamMarkThatBeganBeforeTheFirstRow) {
    Load("aaaa\nbbbb\ncccc");
    MarkStart = 1;
    MarkEnd = 12;
    auto rows = Rows(9, 6, 2, 1, 0, 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].marked, "##### ");  // bbbb and its line end
    EXPECT_EQ(rows[1].marked, "##    ");
}

TEST_F(TextRows, StreamMarkScrolledPartlyOutOnTheLeft) {
    Load("0123456789");
    MarkStart = 2;
    MarkEnd = 6;
    auto rows = Rows(1, 6, 1, 5, 0, 1);  // shows from '4'
    EXPECT_EQ(rows[0].text, "456789");
    EXPECT_EQ(rows[0].marked, "##    ");
}

TEST_F(TextRows, MarkedTabCoversItsBlanks) {
    Load("a\tb");
    MarkStart = 1;
    MarkEnd = 2;
    auto rows = Rows(1, 10, 1, 1, 0, 1);
    EXPECT_EQ(rows[0].marked, " #######  ");
}

TEST_F(TextRows, BlockMarkCoversTheSameColumnsOnEveryRow) {
    Load("0123456789\n01\n0123456789\n0123456789\nzz");
    MarkStart = 3;                // column 3 of line 0
    MarkEnd = 11 + 3 + 11 + 7;    // column 7 of line 3
    auto rows = Rows(9, 12, 1, 1, 0, 2);
    EXPECT_EQ(BlockCol1, 3);
    EXPECT_EQ(BlockCol2, 7);
    ASSERT_EQ(rows.size(), 5u);
    for (int r = 0; r < 4; ++r) EXPECT_EQ(rows[static_cast<size_t>(r)].marked, "   ####     ") << r;
    EXPECT_EQ(rows[4].marked, "            ");
}

TEST_F(TextRows, BlockMarkFromRightToLeftSwapsItsEdges) {
    Load("0123456789\n0123456789");
    MarkStart = 7;        // column 7 of line 0
    MarkEnd = 11 + 3;     // column 3 of line 1
    auto rows = Rows(9, 12, 1, 1, 0, 2);
    EXPECT_EQ(BlockCol1, 2);
    EXPECT_EQ(BlockCol2, 8);
    EXPECT_EQ(rows[0].marked, "  ######    ");
    EXPECT_EQ(rows[1].marked, "  ######    ");
}

TEST_F(TextRows, BlockColumnsCountFromTheLineStartNotTheScroll) {
    Load("0123456789\n0123456789");
    MarkStart = 4;
    MarkEnd = 11 + 8;
    auto rows = Rows(9, 5, 1, 4, 0, 2);  // shows from column 3
    EXPECT_EQ(BlockCol1, 4);
    EXPECT_EQ(BlockCol2, 8);
    EXPECT_EQ(rows[0].text, "34567");
    EXPECT_EQ(rows[0].marked, " ####");
}

TEST_F(TextRows, NothingBelowTheLastLine) {
    Load("a\nb");
    auto rows = Rows(5, 4, 3);
    EXPECT_TRUE(rows.empty());
    rows = Rows(5, 4, 2);
    EXPECT_EQ(rows.size(), 1u);
    Load("");
    rows = Rows(5, 4);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text, "    ");
}

TEST_F(TextRows, RowsNeverReadBeyondALineTableOfAnotherFile) {
    Load("a\nb\nc\nd\ne\nf");
    Checked = _HEX_;
    Load("x");  // the line table is cleared, not left for the old file
    auto rows = Rows(9, 4);
    EXPECT_LE(rows.size(), 1u);
}

}  // namespace
