#include <gtest/gtest.h>

#include <cstdio>
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
        {"abc\r\n", 0, "0 5", 3},
        {"a\n\rb", 0, "0 3", 1} /* LF CR is one line end */,
        {"a\r\rb", 0, "0 2 3", 1} /* CR CR is two */,
        {"abc\r", 0, "0 4", 3} /* not paired beyond the range */,
        {"\t", 0, "0", 8},
        {"aaaa bbbb cccc\r", 10, "0 w10 15", 10} /* after the last blank */,
        {"ab cd e", 4, "0 w3", 4} /* "cd" goes down and "cd e" just fits */,
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
        EXPECT_EQ(NumCols, c.cols);
        EXPECT_EQ(LineNumFlag, 1);
        EXPECT_EQ(WrapCols, c.wrap);
    }
}

// The document fuzz target maps bytes to lines and columns and back over arbitrary texts; here the
// edges.
TEST_F(Document, LinesColumnsAndBytes) {
    Load("a\tb\r\nxyz");
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

// Switching modes carries the place: 200 lines of nine letters and a line feed (line i starts at
// byte 10 i), then 40,000 empty lines, more than text mode takes.
TEST_F(Document, PositionsCarriedBetweenModes) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += std::string(9, 'a') + "\n";
    Load(text);
    LineNum = 101;
    ByteModePosition();  // text to hex: the top line's start, unrounded
    EXPECT_EQ(ByteNum, 1000);
    LineNum = 900;  // beyond the last line: the last line's start
    ByteModePosition();
    EXPECT_EQ(ByteNum, 2000);
    Col = 5;
    ModeColumn(_CHAR_);
    EXPECT_EQ(Col, 1);
    Checked = _HEX_;
    ByteNum = 1234;  // hex to text: the line holding ByteNum
    bool reported = true;
    ASSERT_TRUE(TextModePosition(&reported));
    EXPECT_EQ(LineNum, 124);

    Load(std::string(40000, '\n'));
    ByteNum = 5;
    EXPECT_FALSE(TextModePosition(&reported));  // too many lines: all left as it was
    EXPECT_EQ(ByteNum, 5);
    // In interpret mode a table that does not start the file tells its offset.
    Checked = _INTERP_;
    ShowMode = _HEX_;
    ByteOffset = 0x400;
    char part2[64], part3[64];
    PositionTexts(part2, part3);
    EXPECT_STREQ(part2, "\tOffset to table =    400 bytes");  // in hex, as the rows
}

// A file of the load area's size is loaded into it; sizes get their thousands grouped.
TEST_F(Document, TheLoadAreaAndGroupedNumbers) {
    EXPECT_EQ(AreaFor(FileAreaSize), FileArea);
    EXPECT_EQ(AreaFor(int64_t{FileAreaSize} + 1), nullptr);
    const std::pair<std::string, std::string> numbers[] = {
        {"123", "123"}, {"1234", "1,234"}, {"123456", "123,456"}};
    for (auto [digits, grouped] : numbers) {
        char text[16];
        std::snprintf(text, sizeof text, "%s", digits.c_str());
        AddCommas(text);
        EXPECT_STREQ(text, grouped.c_str());
    }
}

}  // namespace
