#include <gtest/gtest.h>

#include <string>

#include "doc_fixture.h"
#include "document/text_number.h"
#include "view/view_nav.h"

namespace {

class ViewNav : public DocTest {
public:
    void SetUp() override {
        DocTest::SetUp();
        ScreenLines = 10;
        ScreenCols = 80;
        MarkState = 0;
        MarkDrag = RowMark = 0;
    }
    void LoadIn(uint16_t mode, const std::string& bytes) {
        Checked = ShowMode = mode;
        Load(bytes);
        SetRowMetrics();
    }
    // The pixel centre of character column `c` (0-based, from the left edge
    // of the row) on row `r`, with cells 8 x 16.
    static int X(int c) { return 4 + 8 * c + 3; }
    static int Y(int r) { return 4 + 16 * r + 5; }
    PointerPlace At(int x, int y) {
        PointerPlace p{};
        EXPECT_TRUE(PlaceAt(x, y, 8, 16, &p));
        return p;
    }
    // A character drag from column c1 to column c2 on row r.
    MouseEffect Drag(int r, int c1, int c2, bool alt = false) {
        ButtonDown(At(X(c1), Y(r)), 0);
        return DragMove(At(X(c2), Y(r)), 0, alt);
    }
    static std::string Lines(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += (i ? "\nline " : "line ") + std::to_string(i);
        return s;
    }
};

// Each key from a position (LineNum, Col, ByteNum) with 10 rows on screen:
// whether the view moved, and where to.
TEST_F(ViewNav, KeysMoveWithinTheirLimits) {
    struct Pos {
        int32_t line, col, byte;
    };
    struct Case {
        uint16_t mode;
        std::string text;
        int32_t cols;  // ScreenCols
        uint8_t wrap;
        Pos from;
        unsigned key;
        bool ctrl, moved;
        Pos to;
    };
    const std::string lines = Lines(100), wide(201, 'x'), hex(0x20, 'b');
    const Case cases[] = {
        {_TEXT_, lines, 80, 0, {1, 1, 0}, KeyPageDown, false, true, {10, 1, 0}},
        {_TEXT_, lines, 80, 0, {10, 1, 0}, KeyPageDown, true, true, {14, 1, 0}},  // half a page
        {_TEXT_, lines, 80, 0, {14, 1, 0}, KeyUp, false, true, {13, 1, 0}},
        {_TEXT_, lines, 80, 0, {13, 1, 0}, KeyEnd, true, true, {92, 1, 0}},
        {_TEXT_, lines, 80, 0, {95, 1, 0}, KeyPageDown, false, true, {100, 1, 0}},  // last at top
        {_TEXT_, lines, 80, 0, {50, 3, 7}, KeyHome, true, true, {1, 3, 0}},
        {_TEXT_, lines, 80, 0, {1, 1, 0}, KeyUp, false, false, {1, 1, 0}},
        {_TEXT_, lines, 80, 0, {1, 1, 0}, KeyPageUp, false, false, {1, 1, 0}},
        {_TEXT_, lines, 80, 0, {1, 1, 0}, 'A', false, false, {1, 1, 0}},
        {_TEXT_, wide, 80, 0, {1, 1, 0}, KeyEnd, false, true, {1, 122, 0}},
        {_TEXT_, wide, 80, 0, {1, 122, 0}, KeyLeft, true, true, {1, 82, 0}},
        {_TEXT_, wide, 80, 0, {1, 82, 0}, KeyRight, true, true, {1, 122, 0}},
        {_TEXT_, wide, 80, 0, {1, 200, 0}, KeyRight, true, true, {1, 201, 0}},
        {_TEXT_, wide, 80, 0, {1, 201, 0}, KeyRight, false, false, {1, 201, 0}},
        {_TEXT_, wide, 80, 0, {1, 2, 0}, KeyLeft, true, true, {1, 1, 0}},
        {_TEXT_, wide, 80, 0, {1, 122, 0}, KeyHome, false, true, {1, 1, 0}},
        {_TEXT_, wide, 80, 8, {1, 1, 0}, KeyEnd, false, false, {1, 1, 0}},  // wrapped
        {_TEXT_, wide, 80, 8, {1, 1, 0}, KeyRight, false, false, {1, 1, 0}},
        {_HEX_, hex, 80, 0, {1, 1, 0x15}, KeyDown, false, false, {1, 1, 0x15}},  // kept in row
        {_HEX_, hex, 80, 0, {1, 1, 0x15}, KeyUp, false, true, {1, 1, 5}},
        {_HEX_, hex, 80, 0, {1, 1, 5}, KeyUp, false, true, {1, 1, 0}},
        {_HEX_, hex, 80, 0, {1, 1, 0}, KeyRight, false, true, {1, 1, 1}},
        {_HEX_, hex, 80, 0, {1, 1, 1}, KeyLeft, false, true, {1, 1, 0}},
        {_HEX_, hex, 80, 0, {1, 1, 0}, KeyLeft, false, false, {1, 1, 0}},
        {_HEX_, hex, 80, 0, {1, 1, 0x1F}, KeyRight, false, false, {1, 1, 0x1F}},
        {_HEX_, hex, 80, 0, {1, 1, 0}, KeyEnd, false, false, {1, 1, 0}},  // 71 + 1 - 80 < 1
        {_HEX_, hex, 40, 0, {1, 1, 0}, KeyEnd, false, true, {1, 32, 0}},
        {_HEX_, std::string(0x12, 'b'), 80, 0, {1, 1, 5}, KeyDown, false, true, {1, 1, 0x11}},
        {_CHAR_, std::string(1000, 'c'), 80, 0, {1, 1, 0}, KeyDown, false, true, {1, 1, 64}},
        {_CHAR_, std::string(1000, 'c'), 80, 0, {1, 1, 64}, KeyPageDown, false, true, {1, 1, 640}},
        {_HEX_, std::string(100, 'h'), 80, 0, {1, 1, 0}, KeyEnd, true, false, {1, 1, 0}},  // fits
        {_HEX_, std::string(1000, 'h'), 80, 0, {1, 1, 0}, KeyEnd, true, true, {1, 1, 864}},
    };
    int row = 0;
    for (const Case& c : cases) {
        ++row;
        LoadIn(c.mode, c.text);
        ScreenCols = c.cols;
        WrapFlag = c.wrap;
        LineNum = c.from.line;
        Col = c.from.col;
        ByteNum = c.from.byte;
        EXPECT_EQ(ViewKey(c.key, c.ctrl), c.moved) << "row " << row;
        EXPECT_EQ(LineNum, c.to.line) << "row " << row;
        EXPECT_EQ(Col, c.to.col) << "row " << row;
        EXPECT_EQ(ByteNum, c.to.byte) << "row " << row;
    }
    EXPECT_EQ(HorizontalScroll().max, 70);
    // One row on screen: Ctrl+End stops at the last byte, not beyond it.
    ScreenLines = 1;
    EXPECT_TRUE(ViewKey(KeyEnd, true));
    EXPECT_EQ(ByteNum, 999);
    LoadIn(_TEXT_, wide);
    WrapFlag = 8;
    EXPECT_EQ(HorizontalScroll().max, 0);
}

TEST_F(ViewNav, AnEmptyRangeKeepsByteNumAtZero) {
    LoadIn(_HEX_, "");
    for (unsigned key = KeyPageUp; key <= KeyDown; ++key) {
        ViewKey(key, false);
        ViewKey(key, true);
        EXPECT_EQ(ByteNum, 0) << key;
    }
    VerticalScrollAction(5, 1000);
    EXPECT_EQ(ByteNum, 0);
    const ScrollSpec v = VerticalScroll();
    EXPECT_EQ(v.max, 0);
    EXPECT_EQ(v.pos, 0);
    EXPECT_EQ(ScrollScale, 1);
    PointerPlace p;
    EXPECT_FALSE(PlaceAt(X(20), Y(0), 8, 16, &p));

    LoadIn(_TEXT_, "");
    ViewKey(KeyDown, false);
    ViewKey(KeyEnd, true);
    EXPECT_EQ(LineNum, 1);
}

TEST_F(ViewNav, ScrollRangeIsScaledToSixteenBits) {
    block.assign(2000000, 'x');
    Checked = ShowMode = _HEX_;
    AdoptFile(block.data(), 2000000);
    SetRowMetrics();
    ByteNum = 1000000;
    const ScrollSpec v = VerticalScroll();
    EXPECT_EQ(ScrollScale, 2);
    EXPECT_EQ(v.max, 62500);
    EXPECT_EQ(v.pos, 1000000 / 16 / 2);
    EXPECT_EQ(v.page, 9 / 2);
    EXPECT_TRUE(VerticalScrollAction(5, 100));
    EXPECT_EQ(ByteNum, 100 * 2 * 16);
    EXPECT_FALSE(VerticalScrollAction(5, 100));
    EXPECT_TRUE(VerticalScrollAction(5, 62500));  // the far end stays inside
    EXPECT_EQ(ByteNum, 1999999);
}

TEST_F(ViewNav, ScrollCodesThatDoNothing) {
    LoadIn(_TEXT_, Lines(50));
    LineNum = 5;
    for (int code : {2, 3, 4, 6, 7, 8}) EXPECT_FALSE(VerticalScrollAction(code, 20)) << code;
    EXPECT_TRUE(VerticalScrollAction(1, 0));
    EXPECT_EQ(LineNum, 6);
    EXPECT_TRUE(VerticalScrollAction(0, 0));
    VerticalScroll();
    EXPECT_EQ(ScrollScale, 1);
    EXPECT_TRUE(VerticalScrollAction(5, 20));
    EXPECT_EQ(LineNum, 21);
    EXPECT_TRUE(VerticalScrollAction(5, 900));
    EXPECT_EQ(LineNum, 50);
    const ScrollSpec v = VerticalScroll();
    EXPECT_EQ(v.max, 49);
    EXPECT_EQ(v.pos, 49);

    EXPECT_FALSE(HorizontalScrollAction(0, 0));  // Col is 1
    EXPECT_TRUE(HorizontalScrollAction(1, 0));
    EXPECT_EQ(Col, 2);
    Col = NumCols;
    EXPECT_FALSE(HorizontalScrollAction(1, 0));
    EXPECT_TRUE(HorizontalScrollAction(5, 3));
    EXPECT_EQ(Col, 4);
    EXPECT_FALSE(HorizontalScrollAction(2, 9));
    const ScrollSpec h = HorizontalScroll();
    EXPECT_EQ(h.max, NumCols - 1);
    EXPECT_EQ(h.page, 80);
    EXPECT_EQ(h.pos, 3);
}

// The pointer's place (half steps: 2b on byte b, 2b - 1 in the gap before
// it) from its cell on a row, with the rows starting at ByteNum.
TEST_F(ViewNav, PointerCellsMapToBytesAndGaps) {
    struct Case {
        uint16_t mode;
        int32_t byteNum, col;
        int x, row;  // x: a cell column, or a pixel when negative
        int32_t half;
    } cases[] = {
        {_HEX_, 0, 1, 11, 0, 0},        // byte 0's digits at 11 and 12
        {_HEX_, 0, 1, 12, 0, 0},
        {_HEX_, 0, 1, 13, 0, 2},
        {_HEX_, 0, 1, 15, 0, 4},        // the blank between pairs: the byte on its right
        {_HEX_, 0, 1, 29, 0, 14},
        {_HEX_, 0, 1, 30, 0, 16},       // the two blanks in the middle: byte 8
        {_HEX_, 0, 1, 32, 0, 16},
        {_HEX_, 0, 1, 50, 0, 30},
        {_HEX_, 0, 1, 53, 1, 31},       // "[": before the row's first byte
        {_HEX_, 0, 1, 54, 1, 32},
        {_HEX_, 0, 1, 69, 1, 62},
        {_HEX_, 0, 1, 70, 1, 63},       // "]": the gap before the next row
        {_HEX_, 0, 1, 3, 2, 63},        // the address
        {_HEX_, 0, 1, -2, 2, 63},       // the left margin
        {_HEX_, 0, 12, 0, 0, 0},        // scrolled: the first cell is the first digit
        {_CHAR_, 3, 1, 11, 0, 6},
        {_CHAR_, 3, 1, 74, 1, 2 * (3 + 64 + 63)},
        {_CHAR_, 3, 1, 75, 1, 2 * (3 + 128) - 1},
        {_CHAR_, 3, 1, 5, 1, 2 * (3 + 64) - 1},
    };
    for (const Case& c : cases) {
        LoadIn(c.mode, std::string(200, 'q'));
        ByteNum = c.byteNum;
        Col = c.col;
        const PointerPlace p = At(c.x < 0 ? -c.x : X(c.x), Y(c.row));
        EXPECT_EQ(p.half, c.half) << c.mode << " cell " << c.x << " row " << c.row;
        EXPECT_EQ(p.byte, (c.half + 1) / 2) << c.mode << " cell " << c.x << " row " << c.row;
    }
    LoadIn(_HEX_, std::string(64, 'q'));
    const PointerPlace p = At(X(20), Y(2));
    EXPECT_EQ(p.rowStart, 32);
    EXPECT_EQ(p.rowEnd, 48);
}

TEST_F(ViewNav, PointerBeyondTheShownRangeStaysInside) {
    LoadIn(_HEX_, std::string(20, 'q'));
    // The short last row: beyond its 4 bytes, and far below it.
    PointerPlace p = At(X(60), Y(1));
    EXPECT_EQ(p.byte, 20);
    EXPECT_EQ(p.half, 39);
    EXPECT_EQ(p.rowStart, 16);
    EXPECT_EQ(p.rowEnd, 20);
    p = At(X(12), Y(30));
    EXPECT_EQ(p.half, 39);
    EXPECT_EQ(p.rowEnd, 20);
    ButtonDown(At(X(11), Y(0)), 0);
    DragMove(At(X(40), Y(40)), 0, false);
    EXPECT_EQ(MarkStart, 0);
    EXPECT_EQ(MarkEnd, 20);
    EXPECT_EQ(DoubleClick(At(X(40), Y(40)), 0).mark, -1);
    // Ctrl + click below the end marks the last row.
    const MouseEffect e = ButtonDown(At(X(12), Y(9)), KeyControl);
    EXPECT_EQ(e.mark, 1);
    EXPECT_EQ(MarkStart, 16);
    EXPECT_EQ(MarkEnd, 20);

    LoadIn(_TEXT_, "ab\ncd");
    p = At(X(1), Y(5));
    EXPECT_EQ(p.byte, 5);
    EXPECT_EQ(p.half, 9);
    EXPECT_EQ(p.rowStart, 3);
    EXPECT_EQ(p.rowEnd, 5);
}

TEST_F(ViewNav, DragMarksWholeCharactersInEitherDirection) {
    LoadIn(_HEX_, std::string(64, 'q'));
    MouseEffect e = ButtonDown(At(X(54 + 5), Y(0)), 0);
    EXPECT_TRUE(e.capture);
    EXPECT_EQ(e.mark, -1);  // a click alone marks nothing
    e = DragMove(At(X(54 + 5), Y(0)), 0, false);
    EXPECT_EQ(e.mark, 1);  // the first move marks the character
    EXPECT_EQ(MarkStart, 5);
    EXPECT_EQ(MarkEnd, 6);
    e = DragMove(At(X(54 + 8), Y(0)), 0, false);
    EXPECT_EQ(MarkStart, 5);
    EXPECT_EQ(MarkEnd, 9);
    EXPECT_FALSE(DragMove(At(X(54 + 8), Y(0)), 0, false).repaint);

    MarkState = 1;
    e = ButtonDown(At(X(54 + 8), Y(0)), 0);
    EXPECT_EQ(e.mark, 0);  // a new press clears the old mark
    DragMove(At(X(54 + 5), Y(0)), 0, false);
    EXPECT_EQ(MarkStart, 5);
    EXPECT_EQ(MarkEnd, 9);
    // Stopping in the gap before a character leaves it out: "[" of row 1.
    DragMove(At(X(53), Y(1)), 0, false);
    EXPECT_EQ(MarkStart, 8);
    EXPECT_EQ(MarkEnd, 16);
    EXPECT_EQ(Drag(0, 54 + 3, 54 + 3, true).mark, 2);  // Alt: block mark
}

TEST_F(ViewNav, TextDragEndsBeforeTheLineEnd) {
    LoadIn(_TEXT_, "hello world\r\nsecond\r\n");
    const MouseEffect e = Drag(0, 2, 40);
    EXPECT_EQ(e.mark, 1);
    EXPECT_EQ(MarkStart, 2);
    EXPECT_EQ(MarkEnd, 11);  // up to the character before the CR
    EXPECT_EQ(Drag(0, 2, 40, true).mark, 2);
}

TEST_F(ViewNav, ShiftExtendsAnExistingMark) {
    LoadIn(_HEX_, std::string(64, 'q'));
    EXPECT_FALSE(ButtonDown(At(X(60), Y(0)), KeyShift).repaint);  // nothing marked
    MarkState = 1;
    MarkStart = 10;
    MarkEnd = 12;
    MouseEffect e = ButtonDown(At(X(54 + 4), Y(1)), KeyShift);
    EXPECT_FALSE(e.capture);
    EXPECT_EQ(MarkEnd, 21);
    ButtonDown(At(X(54 + 2), Y(0)), KeyShift);
    EXPECT_EQ(MarkStart, 2);
    EXPECT_EQ(MarkEnd, 21);
    // Up to the gap: the "[" before row 2 ends the mark at 32.
    DragMove(At(X(53), Y(2)), KeyShift, false);
    EXPECT_EQ(MarkEnd, 32);
    // The gap before MarkStart itself still leaves one byte.
    MarkStart = 32;
    MarkEnd = 40;
    ButtonDown(At(X(53), Y(2)), KeyShift);
    EXPECT_EQ(MarkEnd, 33);
}

TEST_F(ViewNav, CtrlMarksAndDragsWholeRows) {
    LoadIn(_TEXT_, "first\r\nsecond\r\nthird\r\n");
    MouseEffect e = ButtonDown(At(X(2), Y(1)), KeyControl);
    EXPECT_TRUE(e.capture);
    EXPECT_EQ(e.mark, 1);
    EXPECT_EQ(MarkStart, 7);
    EXPECT_EQ(MarkEnd, 15);  // the line end included
    MarkState = 1;
    e = DragMove(At(X(0), Y(2)), 0, false);
    EXPECT_TRUE(e.repaint);
    EXPECT_EQ(MarkStart, 7);
    EXPECT_EQ(MarkEnd, 22);
    DragMove(At(X(0), Y(1)), 0, false);  // back on the first row: it alone
    EXPECT_EQ(MarkEnd, 15);
    DragMove(At(X(0), Y(0)), 0, false);
    EXPECT_EQ(MarkStart, 0);
    MarkEnd = 7;
    EXPECT_FALSE(DragMove(At(X(3), Y(0)), KeyControl, false).repaint);
    // Shift extends by rows while RowMark is set.
    RowMark = 1;
    MarkStart = 7;
    MarkEnd = 15;
    ButtonDown(At(X(1), Y(2)), KeyShift);
    EXPECT_EQ(MarkEnd, 22);
    // The empty row after the last line end starts a drag without a mark,
    // and drops one that was there; the drag then marks the rows above.
    for (const uint8_t before : {0, 1}) {
        MarkState = before;
        e = ButtonDown(At(X(0), Y(3)), KeyControl);
        EXPECT_TRUE(e.capture);
        EXPECT_EQ(MarkDrag, 1);
        EXPECT_EQ(e.mark, before ? 0 : -1);
        MarkState = 0;
        e = DragMove(At(X(0), Y(2)), 0, false);
        EXPECT_EQ(e.mark, 1);
        EXPECT_EQ(MarkStart, 15);
        EXPECT_EQ(MarkEnd, 22);
    }
}

// Text mode shows the whole file: a range that interpret mode chose before
// does not limit the mouse.
TEST_F(ViewNav, TextMouseReachesPastAnEarlierTableRange) {
    const std::string text = "ab cd\r\nef gh\r\nij kl\r\n";
    struct Case {
        const char* what;
        void (*act)(ViewNav&);
        int32_t start, end;
    } cases[] = {
        {"drag", [](ViewNav& t) { t.Drag(2, 0, 4); }, 14, 19},
        {"ctrl row", [](ViewNav& t) { ButtonDown(t.At(X(1), Y(1)), KeyControl); }, 7, 14},
        {"double click", [](ViewNav& t) { DoubleClick(t.At(X(4), Y(2)), 0); }, 17, 19},
        {"shift", [](ViewNav& t) {
             MarkState = 1;
             ButtonDown(t.At(X(1), Y(2)), KeyShift);
         }, 0, 16},
    };
    for (const Case& c : cases) {
        LoadIn(_TEXT_, text);
        ByteOffset = 2;
        NumBytes = 3;
        MarkState = 0;
        MarkStart = 0;
        MarkEnd = 2;
        c.act(*this);
        EXPECT_EQ(MarkStart, c.start) << c.what;
        EXPECT_EQ(MarkEnd, c.end) << c.what;
    }
}

TEST_F(ViewNav, DoubleClickMarksAWord) {
    LoadIn(_TEXT_, "x abc_def.txt/y z");
    DoubleClick(At(X(3), Y(0)), 0);
    EXPECT_EQ(MarkStart, 2);
    EXPECT_EQ(MarkEnd, 5);
    DoubleClick(At(X(3), Y(0)), KeyShift);
    EXPECT_EQ(MarkStart, 2);
    EXPECT_EQ(MarkEnd, 9);
    DoubleClick(At(X(3), Y(0)), KeyControl);
    EXPECT_EQ(MarkEnd, 15);
    // The byte itself is always included, word character or not.
    LoadIn(_TEXT_, "a,-,b");
    const MouseEffect e = DoubleClick(At(X(2), Y(0)), 0);
    EXPECT_EQ(e.mark, 1);
    EXPECT_EQ(MarkStart, 2);
    EXPECT_EQ(MarkEnd, 3);
    EXPECT_EQ(RowMark, 0);
}

TEST_F(ViewNav, WideCellsAndMarginOnText) {
    LoadIn(_TEXT_, "a\tbc\n");
    PointerPlace p{};
    ASSERT_TRUE(PlaceAt(4 + 13 * 5, Y(0), 13, 16, &p));  // column 5 of the tab
    EXPECT_EQ(p.byte, 1);
    ASSERT_TRUE(PlaceAt(4 + 13 * 8, Y(0), 13, 16, &p));
    EXPECT_EQ(p.byte, 2);
    EXPECT_FALSE(PlaceAt(10, 10, 0, 16, &p));  // no cell width, no place
    ASSERT_TRUE(PlaceAt(1, Y(0), 13, 16, &p));
    EXPECT_EQ(p.half, -1);  // the margin before byte 0
    DragAnchor = 0;
    ButtonDown(p, 0);
    EXPECT_EQ(DragMove(p, 0, false).mark, -1);  // DragPos -1 equals h: nothing
}

TEST_F(ViewNav, GoToLineAndByteClamp) {
    LoadIn(_TEXT_, Lines(120));
    EXPECT_FALSE(GoToText(""));
    EXPECT_TRUE(GoToText("0"));
    EXPECT_EQ(LineNum, 1);
    EXPECT_TRUE(GoToText("99999"));
    EXPECT_EQ(LineNum, 120);
    EXPECT_TRUE(GoToText("4294967295"));  // -1 as a signed number
    EXPECT_EQ(LineNum, 1);
    EXPECT_TRUE(SetColumnText("0"));
    EXPECT_EQ(Col, 1);
    EXPECT_TRUE(SetColumnText("9999"));
    EXPECT_EQ(Col, NumCols);

    LoadIn(_HEX_, std::string(0x800, 'g'));
    EXPECT_TRUE(GoToText("100000"));
    EXPECT_EQ(ByteNum, 0x7FF);
    EXPECT_TRUE(GoToText("FFFFFFFF"));
    EXPECT_EQ(ByteNum, 0);
    EXPECT_TRUE(GoToText("12G4"));
    EXPECT_EQ(ByteNum, 0x12);  // not rounded to a row
    EXPECT_TRUE(SetColumnText("500"));
    EXPECT_EQ(Col, 71);
    // A table at 0x400 in physical and in RVA addressing.
    ByteOffset = 0x400;
    NumBytes = 0x100;
    EXPECT_TRUE(GoToText("410"));
    EXPECT_EQ(ByteNum, 0x10);
    AddrMode = AddrRva;
    RvaBias = 0x1000;
    EXPECT_TRUE(GoToText("1420"));
    EXPECT_EQ(ByteNum, 0x20);
    AddrMode = AddrZero;
    EXPECT_TRUE(GoToText("410"));
    EXPECT_EQ(ByteNum, 0xFF);
}

TEST_F(ViewNav, MarkBytesStaysInTheFile) {
    LoadIn(_HEX_, std::string(0x800, 'm'));
    EXPECT_FALSE(MarkBytesText("", "20", true));
    EXPECT_TRUE(MarkBytesText("10", "1F", true));
    EXPECT_EQ(MarkStart, 0x10);
    EXPECT_EQ(MarkEnd, 0x20);
    EXPECT_TRUE(MarkBytesText("10", "", true));
    EXPECT_EQ(MarkEnd, 0x11);
    EXPECT_TRUE(MarkBytesText("16", "31", false));
    EXPECT_EQ(MarkStart, 16);
    EXPECT_EQ(MarkEnd, 32);
    EXPECT_TRUE(MarkBytesText("7F0", "FFFFFFFF", true));  // past the end
    EXPECT_EQ(MarkStart, 0x7F0);
    EXPECT_EQ(MarkEnd, 0x800);
    EXPECT_TRUE(MarkBytesText("900", "", true));  // beyond the last byte
    EXPECT_EQ(MarkStart, 0x7FF);
    EXPECT_EQ(MarkEnd, 0x800);
    EXPECT_TRUE(MarkBytesText("40", "20", true));  // last before first
    EXPECT_EQ(MarkStart, 0x40);
    EXPECT_EQ(MarkEnd, 0x41);
    ByteOffset = 0x100;
    AddrMode = AddrZero;
    EXPECT_TRUE(MarkBytesText("10", "1F", true));
    EXPECT_EQ(MarkStart, 0x110);
    EXPECT_EQ(MarkEnd, 0x120);
    AddrMode = AddrRva;
    RvaBias = 0x1000;
    EXPECT_TRUE(MarkBytesText("10", "1F", true));  // below the file: its start
    EXPECT_EQ(MarkStart, 0);
    EXPECT_EQ(MarkEnd, 1);
    EXPECT_TRUE(MarkBytesText("1010", "101F", true));
    EXPECT_EQ(MarkStart, 0x10);

    LoadIn(_HEX_, "");
    EXPECT_FALSE(MarkBytesText("0", "0", true));
}

TEST_F(ViewNav, ConvertsBetweenBases) {
    char out[16];
    EXPECT_EQ(ConvertNumber("255", true, out), ConvertResult::Done);
    EXPECT_STREQ(out, "        FF");
    EXPECT_EQ(ConvertNumber("FFFFFFFF", false, out), ConvertResult::Done);
    EXPECT_STREQ(out, "4294967295");
    EXPECT_EQ(ConvertNumber("123456789", false, out), ConvertResult::TooBig);
    EXPECT_EQ(ConvertNumber("12345678901", true, out), ConvertResult::TooBig);
    EXPECT_EQ(ConvertNumber("4294967296", true, out), ConvertResult::Done);  // modulo 2^32
    EXPECT_STREQ(out, "         0");
    EXPECT_EQ(ConvertNumber("", true, out), ConvertResult::NoInput);
}

}  // namespace
