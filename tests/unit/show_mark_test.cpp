#include "app/show_mark.h"

#include <gtest/gtest.h>

#include <string>

#include "doc_fixture.h"
#include "document/document.h"

namespace {

class ShowMark : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        ScreenLines = 10;
        ScreenCols = 40;
    }
    void TearDown() override {
        MarkState = 0;
        DocTest::TearDown();
    }
    static void Mark(int32_t start, int32_t end) {
        MarkState = 1;
        MarkStart = start;
        MarkEnd = end;
    }
    void Bytes(uint16_t mode, int32_t size) {
        Checked = mode;
        Load(std::string(static_cast<size_t>(size), 'x'));
        Checked = ShowMode = mode;
        ByteOffset = 0;
        NumBytes = static_cast<uint32_t>(size);
        ByteNum = 0;
    }
    // 200 lines of 8 bytes each: line i starts at offset i * 8.
    void Lines() {
        std::string text;
        for (int i = 0; i < 200; ++i) text += "L" + std::string(3, static_cast<char>('0' + i % 10)) + "abc\n";
        Load(text);
        LineNum = 1;
        Col = 1;
    }
};

TEST_F(ShowMark, NothingMarkedLeavesThePosition) {
    Bytes(_HEX_, 4096);
    ByteNum = 512;
    EXPECT_EQ(ShowMarkPosition(), MarkNothing);
    EXPECT_EQ(ByteNum, 512);
    Lines();
    LineNum = 30;
    EXPECT_EQ(ShowMarkPosition(), MarkNothing);
    EXPECT_EQ(LineNum, 30);
}

TEST_F(ShowMark, HexScrollsOnlyWhenTheMarkIsOutOfView) {
    Bytes(_HEX_, 4096);
    // Rows 0..9 show bytes 0..159; the view counts 9 full rows (0..144).
    Mark(100, 144);
    EXPECT_EQ(ShowMarkPosition(), MarkShown);
    EXPECT_EQ(ByteNum, 0);
    Mark(100, 145);
    ShowMarkPosition();
    EXPECT_EQ(ByteNum, 80);  // (100 - 15) rounded down to 16: the mark on the second row
    Mark(192, 193);
    ByteNum = 0;
    ShowMarkPosition();
    EXPECT_EQ(ByteNum, 176);  // a mark at a row's start goes to the second row
    // A mark above the first byte shown.
    ByteNum = 1024;
    Mark(5, 6);
    ShowMarkPosition();
    EXPECT_EQ(ByteNum, 0);
    Mark(3000, 3010);
    ShowMarkPosition();
    EXPECT_EQ(ByteNum, 2976);
}

TEST_F(ShowMark, CharRowsHoldSixtyFourBytes) {
    Bytes(_CHAR_, 4096);
    Mark(500, 576);  // within 9 x 64 bytes
    EXPECT_EQ(ShowMarkPosition(), MarkShown);
    EXPECT_EQ(ByteNum, 0);
    Mark(500, 577);
    ShowMarkPosition();
    EXPECT_EQ(ByteNum, 480);
}

TEST_F(ShowMark, InterpretModeTellsWhenTheMarkIsOutsideTheTable) {
    Bytes(_HEX_, 8192);
    Checked = _INTERP_;
    ByteOffset = 1000;
    NumBytes = 500;
    ByteNum = 0;
    Mark(1100, 1104);
    EXPECT_EQ(ShowMarkPosition(), MarkShown);
    EXPECT_EQ(ByteNum, 0);
    Mark(1400, 1404);  // below the rows shown
    EXPECT_EQ(ShowMarkPosition(), MarkShown);
    EXPECT_EQ(ByteNum, 384);
    // A hit before the table: the view goes to its top, then the message.
    Mark(10, 12);
    EXPECT_EQ(ShowMarkPosition(), MarkNotInTable);
    EXPECT_EQ(ByteNum, 0);
    // One after it: the view stops at the table's last row.
    Mark(5000, 5002);
    EXPECT_EQ(ShowMarkPosition(), MarkNotInTable);
    EXPECT_EQ(ByteNum, 496);
    // The table's last byte and the byte just after it still count as in it.
    Mark(1499, 1500);
    EXPECT_EQ(ShowMarkPosition(), MarkShown);
    Mark(1500, 1501);
    EXPECT_EQ(ShowMarkPosition(), MarkShown);
    Mark(990, 1000);
    EXPECT_EQ(ShowMarkPosition(), MarkNotInTable);
}

TEST_F(ShowMark, InterpretCharViewSkipsTheTableCheckWhenAlreadyVisible) {
    Bytes(_CHAR_, 8192);
    Checked = _INTERP_;
    ByteOffset = 1000;
    NumBytes = 10;
    ByteNum = 0;
    Mark(1100, 1101);  // on screen, outside the table
    EXPECT_EQ(ShowMarkPosition(), MarkShown);
    ShowMode = _HEX_;
    EXPECT_EQ(ShowMarkPosition(), MarkNotInTable);
    ShowMode = _CHAR_;
    Mark(5000, 5001);  // off screen: the table is checked
    EXPECT_EQ(ShowMarkPosition(), MarkNotInTable);
}

TEST_F(ShowMark, TextMovesTheLineWhenOutOfView) {
    Lines();
    // Lines 1..10 on screen; the last whole line (index 8) is in view.
    Mark(8 * 8, 8 * 8 + 2);
    ShowMarkPosition();
    EXPECT_EQ(LineNum, 1);
    Mark(9 * 8, 9 * 8 + 2);
    ShowMarkPosition();
    EXPECT_EQ(LineNum, 1);  // index 9 - 9 = 0, at least 1
    Mark(100 * 8, 100 * 8 + 1);
    ShowMarkPosition();
    EXPECT_EQ(LineNum, 91);
    // The top line shown stays put; one above it moves the view.
    Mark(90 * 8, 90 * 8 + 1);
    ShowMarkPosition();
    EXPECT_EQ(LineNum, 91);
    Mark(89 * 8, 89 * 8 + 1);
    ShowMarkPosition();
    EXPECT_EQ(LineNum, 80);
}

TEST_F(ShowMark, TextMovesTheColumnForTheMarkAndItsWidth) {
    Load("0123456789012345678901234567890123456789012345678901234567890123456789\n"
         "\t\t\t\t\t\tx\n");
    LineNum = 1;
    Col = 1;
    Mark(20, 25);  // column 20, width 5: 20 < 1 + 40 - 5 - 2
    ShowMarkPosition();
    EXPECT_EQ(Col, 1);
    Mark(20, 40);  // width 20: 20 >= 1 + 40 - 20 - 2
    ShowMarkPosition();
    EXPECT_EQ(Col, 11);
    Mark(10, 11);  // the first column shown stays put
    ShowMarkPosition();
    EXPECT_EQ(Col, 11);
    Mark(9, 10);
    ShowMarkPosition();
    EXPECT_EQ(Col, 1);
    // Display columns, not bytes: the x after six tabs is at column 48.
    Mark(77, 78);
    ShowMarkPosition();
    EXPECT_EQ(Col, 39);
}

TEST_F(ShowMark, TextListingInInterpretModeKeepsThePosition) {
    Lines();
    Checked = _INTERP_;
    ShowMode = _TEXT_;
    LineNum = 5;
    Mark(150 * 8, 150 * 8 + 1);
    EXPECT_EQ(ShowMarkPosition(), MarkShown);
    EXPECT_EQ(LineNum, 5);
}

}  // namespace
