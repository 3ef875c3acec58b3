#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/text_number.h"
#include "view/view_modes.h"

namespace {

using Document = DocTest;

// The line table as text: each line's start, "w" before a wrapped continuation.
std::string Table() {
    std::string s;
    for (int32_t i = 0; i < NumLines; ++i)
        s += (i ? " " : "") + std::string(DocTest::Real(i) ? "" : "w") +
             std::to_string(DocTest::Start(i));
    return s;
}

// The table of a small text, wrapped at `wrap` columns when not 0, and its widest line. The end
// entry is always the file's size with bit 31 clear.
TEST_F(Document, LineTablesOfSmallTexts) {
    const struct {
        std::string text;
        int32_t wrap;
        const char* table;
        int32_t cols;
    } cases[] = {
        {"", 0, "0", 1},
        {"abc\r\n", 0, "0 5", 3},
        {"a\n\rb", 0, "0 3", 1} /* LF CR is one line end */,
        {"a\r\rb", 0, "0 2 3", 1} /* CR CR is two */,
        {"abc\r", 0, "0 4", 3} /* not paired beyond the range */,
        {"abcde\tx", 0, "0", 9} /* a tab at 5 reaches 8 */,
        {"ab\nabcd\nabcdefg", 0, "0 3 8", 7} /* the last line counts */,
        {"aaaa bbbb cccc", 10, "0 w10", 10} /* after the last blank */,
        {"0123456789\nx", 10, "0 11", 10} /* exactly the width */,
        {"0123456789A\nx", 10, "0 w10 12", 10},
        {"abcd efgh", 4, "0 w5", 4} /* the blank stays above */,
        // Ends and tabs beyond the first 64 bytes: 67 + tab (to 72) + 60 = 132.
        {std::string(67, 'x') + "\t" + std::string(60, 'y') + "\r\n" + std::string(200, 'z'), 0,
         "0 130", 200},
        {std::string(67, 'x') + "\t" + std::string(62, 'y'), 0, "0", 134},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.text.substr(0, 20) + "\" wrap " + std::to_string(c.wrap));
        WrapFlag = c.wrap ? 8 : 0;
        ScreenCols = c.wrap;
        Load(c.text);
        EXPECT_EQ(Table(), c.table);
        EXPECT_EQ(LinePtr[NumLines], c.text.size());
        EXPECT_EQ(FileCols, c.cols);
        EXPECT_EQ(NumCols, c.cols);
        EXPECT_EQ(FileLines, NumLines);
        EXPECT_EQ(LineNumFlag, 1);
        EXPECT_EQ(WrapCols, c.wrap);
    }
    WrapFlag = 8;  // wrapping below one column stays bounded
    ScreenCols = 0;
    Load(std::string(100, 'z'));
    EXPECT_GE(NumLines, 100);
    EXPECT_LE(NumLines, MaxLines + 1);
    for (int i = 1; i < NumLines && i < 100; ++i) EXPECT_LE(Start(i - 1), Start(i));
    Load("a\nb\nc\nd");  // a rebuild does not move the top line
    LineNum = 4;
    ScreenCols = 1;
    GetLinePtrs(0, FileSize);
    EXPECT_EQ(LineNum, 4);
}

// Where the file is held decides the limit: 32767 lines in FileArea, 83967 in a block of its own;
// one line more is refused once, without an end entry and without touching the file behind the
// table.
TEST_F(Document, LineLimits) {
    const struct {
        size_t ends, size;
        int32_t lines, maxLines, refused;
    } cases[] = {
        {32766, 32767, 32767, 32767, 0},  {32767, 32767, 32768, 32767, 1},
        {40000, 204800, 32768, 32767, 1}, {40000, 204801, 40001, 83967, 0},
        {83966, 300000, 83967, 83967, 0}, {83967, 300000, 83968, 83967, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.ends) + " ends in " + std::to_string(c.size));
        std::string text(c.ends, '\n');
        text.resize(c.size, 'x');
        tooMany = 0;
        Load(text);
        EXPECT_EQ(NumLines, c.lines);
        EXPECT_EQ(MaxLines, c.maxLines);
        EXPECT_EQ(tooMany, c.refused);
        EXPECT_EQ(FileBuf == FileArea, c.size <= 204800);
        if (!c.refused) {
            EXPECT_EQ(LinePtr[NumLines], c.size);
        }
        EXPECT_EQ(FileBuf[0], '\n');
        EXPECT_EQ(FileBuf[c.size - 1], text.back());
    }
    const int32_t last = GetTextLine(FileSize - 1);  // after too many lines (no end entry)
    EXPECT_EQ(last, 83967);
    EXPECT_EQ(LineEnd(last), FileSize);
    EXPECT_LE(GetTextByte(last, 5), FileSize);
    WrapFlag = 8;  // the same limit for lines made by wrapping: 32767 rows of 4 fit
    ScreenCols = 4;
    for (const int32_t rows : {32767, 32768}) {
        SCOPED_TRACE(rows);
        tooMany = 0;
        Load(std::string(static_cast<size_t>(rows) * 4, 'x'));
        EXPECT_EQ(NumLines, rows);
        EXPECT_EQ(tooMany, rows > 32767);
    }
    Checked = _HEX_;  // no table outside text mode until one is asked for
    Load("a\nb\nc");
    EXPECT_EQ(LineNumFlag, 0);
    EXPECT_EQ(NumLines, 1);
    GetLinePtrs(0, FileSize);
    EXPECT_EQ(NumLines, 3);
}

// The document fuzz target maps bytes to lines and columns and back over arbitrary texts; here the
// edges.
TEST_F(Document, LinesColumnsAndBytes) {
    // Line starts 0, 3, 7, 10, 11: an LF, a CR LF pair, an LF, an empty line, the last.
    Load("ab\ncd\r\nef\n\ngh");
    const int32_t lines[][2] = {{2, 0}, {3, 1}, {6, 1}, {7, 2}, {10, 3}, {13, 4}, {-1, 0}};
    for (const auto& c : lines) EXPECT_EQ(GetTextLine(c[0]), c[1]) << "byte " << c[0];
    Load("a\tb\r\nxyz");
    EXPECT_EQ(LineEnd(0), 5);  // after the line end
    EXPECT_EQ(LineEnd(1), 8);
    const int32_t columns[][2] = {{0, 0}, {1, 1}, {2, 8}, {3, 9}, {7, 2}, {1000, 3}};
    for (const auto& c : columns) EXPECT_EQ(GetTextColumn(c[0]), c[1]) << "byte " << c[0];
    // Every column of the tab gives the tab; beyond the end of a line its CR (or the end of the
    // last line), with GapFlag; outside the table the nearest line.
    const struct {
        int32_t line, col;
        const char* want;
    } bytes[] = {
        {0, 7, "byte 1"},      {0, 9, "byte 3 gap"}, {1, 2, "byte 7"},
        {1, 50, "byte 8 gap"}, {-5, 0, "byte 0"},    {99, 1, "byte 6"},
    };
    for (const auto& c : bytes) {
        SCOPED_TRACE(testing::Message() << "line " << c.line << " col " << c.col);
        GapFlag = 0;
        const int32_t byte = GetTextByte(c.line, c.col);
        EXPECT_EQ("byte " + std::to_string(byte) + (GapFlag ? " gap" : ""), c.want);
    }
}

// The view position carried from mode to mode.
TEST_F(Document, PositionsCarriedBetweenModes) {
    std::string text;  // line i starts at 10 * i
    for (int i = 0; i < 200; ++i) text += std::string(9, 'a') + "\n";
    Load(text);
    LineNum = 101;
    ByteModePosition();  // text to hex: the top line's start, unrounded
    EXPECT_EQ(ByteNum, 1000);
    EXPECT_EQ(ByteOffset, 0);
    EXPECT_EQ(NumBytes, 2000u);
    Checked = _HEX_;
    ByteNum = 1234;  // hex to text: the line holding ByteNum
    Col = 7;
    bool reported = true;
    ASSERT_TRUE(TextModePosition(&reported));
    EXPECT_FALSE(reported);
    EXPECT_EQ(LineNum, 124);
    EXPECT_EQ(Col, 1);

    Checked = _HEX_;
    Load(std::string(40000, '\n'));
    ByteNum = 5;
    Col = 3;
    reported = false;
    EXPECT_FALSE(TextModePosition(&reported));  // too many lines: all left as it was
    EXPECT_TRUE(reported);                      // the build has just told the user
    EXPECT_EQ(ByteNum, 5);
    EXPECT_FALSE(TextModePosition(&reported));  // asked again, the table exists
    EXPECT_FALSE(reported);                     // the command itself must tell
}

// Wrap on and off with two lines of 39: rebuilt when off, and when on unless every line fits.
TEST_F(Document, WrapToggled) {
    Load(std::string(39, 'l') + "\n" + std::string(39, 'l') + "\n");
    Col = 4;
    const struct {
        int32_t cols;
        const char* want;
    } steps[] = {
        {80, "kept, wrap 8, 3 lines, col 1"},
        {80, "rebuilt, wrap 0, 3 lines, col 1"},
        {20, "rebuilt, wrap 8, 5 lines, col 1"},
        {20, "rebuilt, wrap 0, 3 lines, col 1"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.want);
        ScreenCols = s.cols;
        const bool rebuilt = ToggleWrap();
        EXPECT_EQ(std::string(rebuilt ? "rebuilt" : "kept") + ", wrap " + std::to_string(WrapFlag) +
                      ", " + std::to_string(NumLines) + " lines, col " + std::to_string(Col),
                  s.want);
    }
}

// A table shown in hex: the status gives its offset.
TEST_F(Document, StatusOfATableShownInHex) {
    Checked = _INTERP_;
    ShowMode = _HEX_;
    ByteOffset = 0x400;
    ByteNum = 0x1A0;
    NumBytes = 0x2000;
    char p2[64], p3[64];
    PositionTexts(p2, p3);
    EXPECT_STREQ(p2, "\tOffset to table =    400 bytes");
    EXPECT_STREQ(p3, "\tByte     1A0 of    2000");
}

// Full fields are written by the rows, the status texts and Convert; here the fill, the cut and an
// empty field.
TEST(TextNumber, FormatsFillTheFieldFromTheRightAndDropHighDigits) {
    // The field and nothing on either side of it.
    auto field = [](void (*format)(char*, uint32_t, int, char), uint32_t v, int width, char fill) {
        char buf[16];
        std::memset(buf, '#', sizeof buf);
        format(buf + 1, v, width, fill);
        return std::string(buf, static_cast<size_t>(width) + 2);
    };
    EXPECT_EQ(field(FormatDec, 12345678, 7, ' '), "#2345678#");  // the high digit dropped
    EXPECT_EQ(field(FormatHex, 0x1A, 4, '0'), "#001A#");
    EXPECT_EQ(field(FormatHex, 0x1A, 0, ' '), "##");
    const char* const commas[][2] = {
        {"999", "999"},
        {"1000", "1,000"},
        {"1234567", "1,234,567"},
    };
    for (const auto& c : commas) {
        char buf[32] = {};
        std::strcpy(buf, c[0]);
        AddCommas(buf);
        EXPECT_STREQ(buf, c[1]);
    }
    EXPECT_TRUE(SameText("C:\\A.TXT", "c:\\a.txt"));  // recent names
    EXPECT_FALSE(SameText("a", "ab"));
}

}  // namespace
