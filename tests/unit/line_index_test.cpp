#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/document.h"
#include "document/line_index.h"

namespace {

using LineIndex = DocTest;

// The table of a small text: each line's start, whether it is a real line
// ('R') or a wrapped continuation ('W'), and the widest line. The end entry
// is always the file's size with bit 31 clear.
TEST_F(LineIndex, TablesOfSmallTexts) {
    struct Case {
        std::string text;
        int32_t wrap;  // 0: wrapping off
        std::vector<uint32_t> starts;
        const char* kinds;
        int32_t cols;
    } cases[] = {
        {"", 0, {0}, "R", 1},
        {"abc\r\n", 0, {0, 5}, "RR", 3},
        {"a\n\rb", 0, {0, 3}, "RR", 1},          // LF CR is one line end
        {"a\r\rb", 0, {0, 2, 3}, "RRR", 1},      // CR CR is two
        {"a\n\nb", 0, {0, 2, 3}, "RRR", 1},
        {"a\rb\nc", 0, {0, 2, 4}, "RRR", 1},     // lone CR, lone LF
        {"a\r\n\r\nb", 0, {0, 3, 5}, "RRR", 1},
        {"abc\r", 0, {0, 4}, "RR", 3},           // not paired beyond the range
        {"abcde\tx", 0, {0}, "R", 9},            // a tab at 5 reaches 8
        {"abcdefgh\tx", 0, {0}, "R", 17},        // at 8 it reaches 16
        {"\t", 0, {0}, "R", 8},
        {"ab\nabcd\nabcdefg", 0, {0, 3, 8}, "RRR", 7},  // the last line counts
        {"abcdefg\nab\n", 0, {0, 8, 11}, "RRR", 7},
        {"aaaa bbbb cccc", 10, {0, 10}, "RW", 10},       // after the last blank
        {std::string(25, 'q'), 10, {0, 10, 20}, "RWW", 10},
        {"0123456789\nx", 10, {0, 11}, "RR", 10},        // exactly the width
        {"0123456789A\nx", 10, {0, 10, 12}, "RWR", 10},
        {"abcd efgh", 4, {0, 5}, "RW", 4},               // the blank stays above
        {"ab cdefghij", 8, {0, 3}, "RW", 8},             // "cdefgh" carried over
        {"a b c d", 6, {0, 6}, "RW", 6},                 // a blank is one column
    };
    for (const Case& c : cases) {
        WrapFlag = c.wrap ? 8 : 0;
        ScreenCols = c.wrap;
        Load(c.text);
        const std::string row = "\"" + c.text + "\" wrap " + std::to_string(c.wrap);
        ASSERT_EQ(NumLines, static_cast<int32_t>(c.starts.size())) << row;
        for (int32_t i = 0; i < NumLines; ++i) {
            EXPECT_EQ(Start(i), c.starts[i]) << row << " line " << i;
            EXPECT_EQ(Real(i), c.kinds[i] == 'R') << row << " line " << i;
        }
        EXPECT_EQ(LinePtr[NumLines], c.text.size()) << row;
        EXPECT_EQ(FileCols, c.cols) << row;
        EXPECT_EQ(NumCols, c.cols) << row;
        EXPECT_EQ(FileLines, NumLines) << row;
        EXPECT_EQ(LineNumFlag, 1) << row;
        EXPECT_EQ(WrapCols, c.wrap) << row;
    }
}

TEST_F(LineIndex, LongLinesAcrossTheVectorPathKeepTheirColumns) {
    // Ends and tabs beyond the first 64 bytes: 67 + tab (to 72) + 60 = 132.
    const std::string text =
        std::string(67, 'x') + "\t" + std::string(60, 'y') + "\r\n" + std::string(200, 'z');
    Load(text);
    ASSERT_EQ(NumLines, 2);
    EXPECT_EQ(FileCols, 200);
    EXPECT_EQ(Start(1), text.size() - 200);
    Load(text.substr(0, 130));
    EXPECT_EQ(FileCols, 132);
}

TEST_F(LineIndex, WrapBelowOneColumnStaysBounded) {
    WrapFlag = 8;
    ScreenCols = 0;
    Load(std::string(100, 'z'));
    EXPECT_GE(NumLines, 100);
    EXPECT_LE(NumLines, MaxLines + 1);
    for (int i = 1; i < NumLines && i < 100; ++i) EXPECT_LE(Start(i - 1), Start(i));
}

// Where the file is held decides the limit: 32767 lines in FileArea, 83967
// in a block of its own; one line more is refused once, without an end entry
// and without touching the file behind the table.
TEST_F(LineIndex, LineLimits) {
    struct Case {
        size_t ends, size;
        int32_t lines, maxLines, refused;
    } cases[] = {
        {32766, 32767, 32767, 32767, 0},
        {32767, 32767, 32768, 32767, 1},
        {40000, 204800, 32768, 32767, 1},
        {40000, 204801, 40001, 83967, 0},
        {83966, 300000, 83967, 83967, 0},
        {83967, 300000, 83968, 83967, 1},
    };
    for (const Case& c : cases) {
        std::string text(c.ends, '\n');
        text.resize(c.size, 'x');
        tooMany = 0;
        Load(text);
        const std::string row = std::to_string(c.ends) + " ends in " + std::to_string(c.size);
        EXPECT_EQ(NumLines, c.lines) << row;
        EXPECT_EQ(MaxLines, c.maxLines) << row;
        EXPECT_EQ(tooMany, c.refused) << row;
        EXPECT_EQ(FileBuf == FileArea, c.size <= 204800) << row;
        if (!c.refused) {
            EXPECT_EQ(LinePtr[NumLines], c.size) << row;
        }
        EXPECT_EQ(FileBuf[0], '\n') << row;
        EXPECT_EQ(FileBuf[c.size - 1], text.back()) << row;
    }
    // The same limit for lines made by wrapping: 32767 rows of 4 fit.
    WrapFlag = 8;
    ScreenCols = 4;
    for (const int32_t rows : {32767, 32768}) {
        tooMany = 0;
        Load(std::string(static_cast<size_t>(rows) * 4, 'x'));
        EXPECT_EQ(NumLines, rows);
        EXPECT_EQ(tooMany, rows > 32767) << rows;
    }
}

TEST_F(LineIndex, NotBuiltOutsideTextMode) {
    Checked = _HEX_;
    Load("a\nb\nc");
    EXPECT_EQ(LineNumFlag, 0);
    EXPECT_EQ(NumLines, 1);
    GetLinePtrs(0, FileSize);
    EXPECT_EQ(NumLines, 3);
}

TEST_F(LineIndex, GetTextLineFindsTheHoldingLine) {
    Load("ab\ncd\r\nef\n\ngh");  // starts: 0, 3, 7, 10, 11
    // The LF that ends line 0, the CR and LF of a pair, the last byte, FileSize.
    const int32_t cases[][2] = {{0, 0}, {2, 0}, {3, 1}, {5, 1}, {6, 1}, {7, 2},
                                {10, 3}, {12, 4}, {13, 4}, {-1, 0}};
    for (const auto& c : cases) EXPECT_EQ(GetTextLine(c[0]), c[1]) << "byte " << c[0];

    std::string text;
    for (int i = 0; i < 3000; ++i) text += std::string(static_cast<size_t>(i % 13), 'a') + "\n";
    Load(text);
    for (int32_t line = 0; line + 1 < NumLines; line += 5) {
        ASSERT_EQ(GetTextLine(static_cast<int32_t>(Start(line))), line);
        ASSERT_EQ(GetTextLine(static_cast<int32_t>(Start(line + 1)) - 1), line);
    }
}

TEST_F(LineIndex, ColumnsAndBytesConvertBothWays) {
    Load("a\tb\r\nxyz");
    const int32_t columns[][2] = {{0, 0}, {1, 1}, {2, 8}, {3, 9}, {7, 2}};  // byte, column
    for (const auto& c : columns) EXPECT_EQ(GetTextColumn(c[0]), c[1]) << "byte " << c[0];
    // line, column, byte, gap: every column of the tab gives the tab; beyond
    // the end of a line its CR (or the end of the last line), with GapFlag.
    const int32_t bytes[][4] = {{0, 0, 0, 0}, {0, 1, 1, 0}, {0, 7, 1, 0}, {0, 8, 2, 0},
                                {0, 9, 3, 1}, {1, 2, 7, 0}, {1, 50, 8, 1}};
    for (const auto& c : bytes) {
        GapFlag = 0;
        EXPECT_EQ(GetTextByte(c[0], c[1]), c[2]) << c[0] << "," << c[1];
        EXPECT_EQ(GapFlag, c[3]) << c[0] << "," << c[1];
    }
}

TEST_F(LineIndex, QueriesStayInsideTheFile) {
    Load("one\ntwo");
    EXPECT_EQ(GetTextByte(-5, 0), 0);
    EXPECT_EQ(GetTextByte(99, 1), 5);
    EXPECT_LE(GetTextByte(99, 1000), FileSize);
    EXPECT_EQ(GetTextColumn(1000), 3);
    EXPECT_EQ(LineEnd(0), 4);
    EXPECT_EQ(LineEnd(1), 7);
    // After too many lines (no end entry).
    Load(std::string(40000, '\n'));
    ASSERT_EQ(NumLines, 32768);
    const int32_t last = GetTextLine(FileSize - 1);
    EXPECT_EQ(last, 32767);
    EXPECT_LE(GetTextByte(last, 5), FileSize);
}

TEST_F(LineIndex, RebuildDoesNotMoveTheTopLine) {
    Load("a\nb\nc\nd");
    LineNum = 4;
    WrapFlag = 8;
    ScreenCols = 1;
    GetLinePtrs(0, FileSize);
    EXPECT_EQ(LineNum, 4);
}

}  // namespace
