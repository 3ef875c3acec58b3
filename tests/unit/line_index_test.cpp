#include <gtest/gtest.h>

#include <string>

#include "doc_fixture.h"
#include "document/document.h"
#include "document/line_index.h"

namespace {

using LineIndex = DocTest;

TEST_F(LineIndex, EmptyFileIsOneEmptyLine) {
    Load("");
    EXPECT_EQ(NumLines, 1);
    EXPECT_EQ(FileLines, 1);
    EXPECT_EQ(FileCols, 1);
    EXPECT_EQ(Start(0), 0u);
    EXPECT_TRUE(Real(0));
    EXPECT_EQ(LinePtr[1], 0u);  // end entry, bit 31 clear
    EXPECT_EQ(LineNumFlag, 1);
}

TEST_F(LineIndex, LineEndPairsAndLoneEnds) {
    Load("abc\r\n");
    ASSERT_EQ(NumLines, 2);
    EXPECT_EQ(Start(1), 5u);
    EXPECT_TRUE(Real(1));
    EXPECT_EQ(LinePtr[2], 5u);
    EXPECT_EQ(FileCols, 3);

    Load("a\n\rb");  // LF CR is one line end
    ASSERT_EQ(NumLines, 2);
    EXPECT_EQ(Start(1), 3u);

    Load("a\r\rb");  // CR CR is two
    ASSERT_EQ(NumLines, 3);
    EXPECT_EQ(Start(1), 2u);
    EXPECT_EQ(Start(2), 3u);

    Load("a\n\nb");
    ASSERT_EQ(NumLines, 3);

    Load("a\rb\nc");  // lone CR, lone LF
    ASSERT_EQ(NumLines, 3);
    EXPECT_EQ(Start(1), 2u);
    EXPECT_EQ(Start(2), 4u);

    Load("a\r\n\r\nb");  // two CR LF pairs
    ASSERT_EQ(NumLines, 3);
    EXPECT_EQ(Start(1), 3u);
    EXPECT_EQ(Start(2), 5u);
}

TEST_F(LineIndex, LineEndInTheLastByteIsNotPairedBeyondTheRange) {
    Load("abc\r");
    ASSERT_EQ(NumLines, 2);
    EXPECT_EQ(Start(1), 4u);
    EXPECT_EQ(LinePtr[2], 4u);
}

TEST_F(LineIndex, TabsRoundUpToMultiplesOfEight) {
    Load("abcde\tx");  // tab at column 5 reaches 8
    EXPECT_EQ(FileCols, 9);
    Load("abcdefgh\tx");  // tab at column 8 reaches 16
    EXPECT_EQ(FileCols, 17);
    Load("\t");
    EXPECT_EQ(FileCols, 8);
}

TEST_F(LineIndex, WidestLineCountsTheLastUnterminatedOne) {
    Load("ab\nabcd\nabcdefg");
    EXPECT_EQ(FileCols, 7);
    Load("abcdefg\nab\n");
    EXPECT_EQ(FileCols, 7);
}

TEST_F(LineIndex, LongLinesAcrossTheVectorPathKeepTheirColumns) {
    // Lines long enough for the wide scan, with tabs and ends at odd places.
    std::string text;
    for (int i = 0; i < 50; ++i) text += std::string(static_cast<size_t>(i * 7 + 3), 'x') + "\t";
    text += "\r\n";
    text += std::string(200, 'y');
    Load(text);
    ASSERT_EQ(NumLines, 2);
    int64_t col = 0;
    for (int i = 0; i < 50; ++i) col = ((col + i * 7 + 3) + 8) & ~7;
    EXPECT_EQ(FileCols, col);
    EXPECT_EQ(Start(1), text.size() - 200);
}

TEST_F(LineIndex, WrapBreaksAfterTheLastBlank) {
    WrapFlag = 8;
    ScreenCols = 10;
    Load("aaaa bbbb cccc");
    ASSERT_EQ(NumLines, 2);
    EXPECT_EQ(Start(1), 10u);  // the first c
    EXPECT_FALSE(Real(1));
    EXPECT_EQ(FileCols, 10);
    EXPECT_EQ(WrapCols, 10);
}

TEST_F(LineIndex, WrapWithoutBlanksCutsAtTheWidth) {
    WrapFlag = 8;
    ScreenCols = 10;
    Load(std::string(25, 'q'));
    ASSERT_EQ(NumLines, 3);
    EXPECT_EQ(Start(1), 10u);
    EXPECT_EQ(Start(2), 20u);
    EXPECT_EQ(LinePtr[3], 25u);
}

TEST_F(LineIndex, WrapExactWidthLineIsNotWrapped) {
    WrapFlag = 8;
    ScreenCols = 10;
    Load("0123456789\nx");
    EXPECT_EQ(NumLines, 2);
    EXPECT_TRUE(Real(1));
    Load("0123456789A\nx");
    ASSERT_EQ(NumLines, 3);
    EXPECT_EQ(Start(1), 10u);
    EXPECT_FALSE(Real(1));
    EXPECT_TRUE(Real(2));
}

TEST_F(LineIndex, WrapBlankAtTheEdgeStaysOnTheBrokenLine) {
    WrapFlag = 8;
    ScreenCols = 4;
    Load("abcd efgh");
    ASSERT_EQ(NumLines, 2);
    EXPECT_EQ(Start(1), 5u);  // after the blank at column 4
}

TEST_F(LineIndex, WrapCarriesTheWordAfterTheLastBlank) {
    WrapFlag = 8;
    ScreenCols = 8;
    Load("ab cdefghij");  // breaks before 'h': "cdefgh" carried over
    ASSERT_EQ(NumLines, 2);
    EXPECT_EQ(Start(1), 3u);
    EXPECT_EQ(LinePtr[2], 11u);
}

TEST_F(LineIndex, WrapBelowOneColumnStaysBounded) {
    WrapFlag = 8;
    ScreenCols = 0;
    Load(std::string(100, 'z'));
    EXPECT_GE(NumLines, 100);
    EXPECT_LE(NumLines, MaxLines + 1);
    for (int i = 1; i < NumLines && i < 100; ++i) EXPECT_LE(Start(i - 1), Start(i));
}

TEST_F(LineIndex, LimitInFileArea) {
    // 32766 line ends with text after the last: 32767 lines, accepted.
    std::string ok;
    for (int i = 0; i < 32766; ++i) ok += "\n";
    ok += "x";
    Load(ok);
    EXPECT_EQ(NumLines, 32767);
    EXPECT_EQ(MaxLines, 32767);
    EXPECT_EQ(tooMany, 0);
    EXPECT_EQ(LinePtr[32767], static_cast<uint32_t>(ok.size()));

    // 32767 line ends: 32768 lines, refused once, no end entry stored.
    ok.back() = '\n';
    Load(ok);
    EXPECT_EQ(NumLines, 32768);
    EXPECT_EQ(tooMany, 1);
    // The file in FileArea behind the table is untouched.
    EXPECT_EQ(FileBuf[0], '\n');
    EXPECT_EQ(FileBuf[ok.size() - 1], '\n');
}

TEST_F(LineIndex, FileAreaBoundaryDecidesTheLimit) {
    // 40000 short lines fit 204800 bytes: refused there, accepted in a block.
    std::string lines;
    for (int i = 0; i < 40000; ++i) lines += "ab\n";
    lines.resize(204800, 'x');
    Load(lines);
    EXPECT_EQ(FileBuf, FileArea);
    EXPECT_EQ(MaxLines, 32767);
    EXPECT_EQ(tooMany, 1);

    lines += "y";  // 204801 bytes
    Load(lines);
    EXPECT_NE(FileBuf, FileArea);
    EXPECT_EQ(MaxLines, 83967);
    EXPECT_EQ(NumLines, 40001);
    EXPECT_EQ(tooMany, 1);
    EXPECT_EQ(LinePtr[40001], 204801u);
}

TEST_F(LineIndex, BlockLimitUsesTheWholeStore) {
    std::string lines(83967, '\n');
    lines.resize(300000, 'x');  // 83968 lines: one too many
    Load(lines);
    EXPECT_EQ(NumLines, 83968);
    EXPECT_EQ(tooMany, 1);
    lines.erase(0, 1);  // 83967 lines
    Load(lines);
    EXPECT_EQ(NumLines, 83967);
    EXPECT_EQ(tooMany, 1);
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
    Load("ab\ncd\r\nef\n\ngh");
    // starts: 0, 3, 7, 10, 11
    ASSERT_EQ(NumLines, 5);
    EXPECT_EQ(GetTextLine(0), 0);
    EXPECT_EQ(GetTextLine(2), 0);   // the LF that ends line 0
    EXPECT_EQ(GetTextLine(3), 1);
    EXPECT_EQ(GetTextLine(5), 1);   // CR
    EXPECT_EQ(GetTextLine(6), 1);   // LF of the pair
    EXPECT_EQ(GetTextLine(7), 2);
    EXPECT_EQ(GetTextLine(10), 3);
    EXPECT_EQ(GetTextLine(12), 4);  // last byte of the file
    EXPECT_EQ(GetTextLine(13), 4);  // FileSize
    EXPECT_EQ(GetTextLine(-1), 0);
}

TEST_F(LineIndex, GetTextLineAgreesWithALinearSearchOnManyLines) {
    std::string text;
    for (int i = 0; i < 3000; ++i) text += std::string(static_cast<size_t>(i % 13), 'a') + "\n";
    Load(text);
    for (int32_t b = 0; b < FileSize; b += 7) {
        int32_t expect = 0;
        while (expect + 1 < NumLines && static_cast<int32_t>(Start(expect + 1)) <= b) ++expect;
        ASSERT_EQ(GetTextLine(b), expect) << b;
    }
}

TEST_F(LineIndex, ColumnsAndBytesConvertBothWays) {
    Load("a\tb\r\nxyz");
    EXPECT_EQ(GetTextColumn(0), 0);
    EXPECT_EQ(GetTextColumn(1), 1);  // the tab
    EXPECT_EQ(GetTextColumn(2), 8);  // b after the tab
    EXPECT_EQ(GetTextColumn(3), 9);  // CR
    EXPECT_EQ(GetTextColumn(7), 2);  // z

    GapFlag = 0;
    EXPECT_EQ(GetTextByte(0, 0), 0);
    for (int c = 1; c < 8; ++c) EXPECT_EQ(GetTextByte(0, c), 1) << c;
    EXPECT_EQ(GetTextByte(0, 8), 2);
    EXPECT_EQ(GapFlag, 0);
    EXPECT_EQ(GetTextByte(0, 9), 3);  // beyond the end: the CR
    EXPECT_EQ(GapFlag, 1);

    GapFlag = 0;
    EXPECT_EQ(GetTextByte(1, 2), 7);
    EXPECT_EQ(GapFlag, 0);
    EXPECT_EQ(GetTextByte(1, 50), 8);  // last line: its end
    EXPECT_EQ(GapFlag, 1);
}

TEST_F(LineIndex, QueriesStayInsideTheFileForAnyLine) {
    Load("one\ntwo");
    EXPECT_EQ(GetTextByte(-5, 0), 0);
    EXPECT_EQ(GetTextByte(99, 1), 5);
    EXPECT_LE(GetTextByte(99, 1000), FileSize);
    EXPECT_EQ(GetTextColumn(1000), 3);
}

TEST_F(LineIndex, QueriesAfterTooManyLinesStayInsideTheFile) {
    std::string many(40000, '\n');
    Load(many);
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
