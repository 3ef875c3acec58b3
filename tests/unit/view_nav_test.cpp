#include <gtest/gtest.h>

#include <string>
#include <utility>

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
    // Mouse actions on the cell at column c of row r.
    MouseEffect Down(int r, int c, unsigned keys = 0) { return ButtonDown(At(X(c), Y(r)), keys); }
    MouseEffect Move(int r, int c, unsigned keys = 0, bool alt = false) {
        return DragMove(At(X(c), Y(r)), keys, alt);
    }
    MouseEffect Double(int r, int c, unsigned keys = 0) { return DoubleClick(At(X(c), Y(r)), keys); }
    // A character drag from column c1 to column c2 on row r.
    MouseEffect Drag(int r, int c1, int c2, bool alt = false) {
        Down(r, c1);
        return Move(r, c2, 0, alt);
    }
    static void SetMark(uint8_t state, int32_t start, int32_t end) {
        MarkState = state;
        MarkStart = start;
        MarkEnd = end;
    }
    using Span = std::pair<int32_t, int32_t>;
    static Span Marked() { return {MarkStart, MarkEnd}; }
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
        {_HEX_, hex, 80, 0, {1, 1, 5}, KeyLeft, false, true, {1, 1, 4}},
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

    LoadIn(_HEX_, std::string(17, 'h'));  // a last row of one byte
    EXPECT_EQ(VerticalScroll().max, 1);

    LoadIn(_TEXT_, "");
    ViewKey(KeyDown, false);
    ViewKey(KeyEnd, true);
    EXPECT_EQ(LineNum, 1);
}

TEST_F(ViewNav, ScrollBarsAndTheirActions) {
    block.assign(2000000, 'x');  // more rows than 16 bits hold: scaled by 2
    Checked = ShowMode = _HEX_;
    AdoptFile(block.data(), 2000000);
    SetRowMetrics();
    ByteNum = 1000000;
    const ScrollSpec big = VerticalScroll();
    EXPECT_EQ(ScrollScale, 2);
    EXPECT_EQ(big.max, 62500);
    EXPECT_EQ(big.pos, 31250);
    EXPECT_EQ(big.page, 4);
    EXPECT_TRUE(VerticalScrollAction(5, 100));
    EXPECT_EQ(ByteNum, 3200);
    EXPECT_FALSE(VerticalScrollAction(5, 100));
    EXPECT_TRUE(VerticalScrollAction(5, 62500));  // the far end stays inside
    EXPECT_EQ(ByteNum, 1999999);

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
    Col = 7;  // the widest line
    EXPECT_FALSE(HorizontalScrollAction(1, 0));
    EXPECT_TRUE(HorizontalScrollAction(5, 3));
    EXPECT_EQ(Col, 4);
    EXPECT_FALSE(HorizontalScrollAction(2, 9));
    const ScrollSpec h = HorizontalScroll();
    EXPECT_EQ(h.max, 6);
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
    Down(0, 11);
    Move(40, 40);
    EXPECT_EQ(Marked(), Span(0, 20));
    EXPECT_EQ(Double(40, 40).mark, -1);
    EXPECT_EQ(Down(9, 12, KeyControl).mark, 1);  // Ctrl + click below the end: the last row
    EXPECT_EQ(Marked(), Span(16, 20));

    LoadIn(_TEXT_, "ab\ncd");
    p = At(X(1), Y(5));
    EXPECT_EQ(p.byte, 5);
    EXPECT_EQ(p.half, 9);
    EXPECT_EQ(p.rowStart, 3);
    EXPECT_EQ(p.rowEnd, 5);

    LoadIn(_TEXT_, "a\tbc\n");  // wide cells: a tab, and the margin
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

// Hex rows of 16 bytes: the characters of row r start at cell 54, "[" at 53.
TEST_F(ViewNav, DragAndShiftMarkWholeCharacters) {
    LoadIn(_HEX_, std::string(64, 'q'));
    EXPECT_FALSE(Down(0, 60, KeyShift).repaint);  // nothing marked to extend
    MouseEffect e = Down(0, 59);
    EXPECT_TRUE(e.capture);
    EXPECT_EQ(e.mark, -1);  // a click alone marks nothing
    EXPECT_EQ(Move(0, 59).mark, 1);  // the first move marks the character
    EXPECT_EQ(Marked(), Span(5, 6));
    Move(0, 62);
    EXPECT_EQ(Marked(), Span(5, 9));
    EXPECT_FALSE(Move(0, 62).repaint);
    MarkState = 1;
    EXPECT_EQ(Down(0, 62).mark, 0);  // a new press clears the old mark
    Move(0, 59);
    EXPECT_EQ(Marked(), Span(5, 9));
    Move(1, 53);  // stopping in the gap before a character leaves it out
    EXPECT_EQ(Marked(), Span(8, 16));
    EXPECT_EQ(Drag(0, 57, 57, true).mark, 2);  // Alt: block mark

    SetMark(1, 10, 12);
    e = Down(1, 58, KeyShift);
    EXPECT_FALSE(e.capture);
    EXPECT_EQ(Marked(), Span(10, 21));
    Down(0, 56, KeyShift);
    EXPECT_EQ(Marked(), Span(2, 21));
    Move(2, 53, KeyShift);  // up to the gap: "[" before row 2 ends the mark at 32
    EXPECT_EQ(MarkEnd, 32);
    SetMark(1, 32, 40);
    Down(2, 53, KeyShift);  // the gap before MarkStart itself still leaves one byte
    EXPECT_EQ(MarkEnd, 33);

    LoadIn(_TEXT_, "hello world\r\nsecond\r\n");
    EXPECT_EQ(Drag(0, 2, 40).mark, 1);
    EXPECT_EQ(Marked(), Span(2, 11));  // up to the character before the CR
    EXPECT_EQ(Drag(0, 2, 40, true).mark, 2);
}

TEST_F(ViewNav, CtrlMarksAndDragsWholeRows) {
    LoadIn(_TEXT_, "first\r\nsecond\r\nthird\r\n");
    MouseEffect e = Down(1, 2, KeyControl);
    EXPECT_TRUE(e.capture);
    EXPECT_EQ(e.mark, 1);
    EXPECT_EQ(Marked(), Span(7, 15));  // the line end included
    MarkState = 1;
    EXPECT_TRUE(Move(2, 0).repaint);
    EXPECT_EQ(Marked(), Span(7, 22));
    Move(1, 0);  // back on the first row: it alone
    EXPECT_EQ(MarkEnd, 15);
    Move(0, 0);
    EXPECT_EQ(MarkStart, 0);
    MarkEnd = 7;
    EXPECT_FALSE(Move(0, 3, KeyControl).repaint);
    RowMark = 1;  // Shift extends by rows while RowMark is set
    SetMark(1, 7, 15);
    Down(2, 1, KeyShift);
    EXPECT_EQ(MarkEnd, 22);
    // The empty row after the last line end starts a drag without a mark,
    // and drops one that was there; the drag then marks the rows above.
    for (const uint8_t before : {0, 1}) {
        MarkState = before;
        e = Down(3, 0, KeyControl);
        EXPECT_TRUE(e.capture);
        EXPECT_EQ(MarkDrag, 1);
        EXPECT_EQ(e.mark, before ? 0 : -1);
        MarkState = 0;
        EXPECT_EQ(Move(2, 0).mark, 1);
        EXPECT_EQ(Marked(), Span(15, 22));
    }
}

TEST_F(ViewNav, DoubleClickMarksAWord) {
    const struct {
        const char* text;
        int col;
        unsigned keys;
        Span want;
    } cases[] = {
        {"x abc_def.txt/y z", 3, 0, {2, 5}},
        {"x abc_def.txt/y z", 3, KeyShift, {2, 9}},
        {"x abc_def.txt/y z", 3, KeyControl, {2, 15}},
        {"a,-,b", 2, 0, {2, 3}},  // the byte itself, word character or not
    };
    for (const auto& c : cases) {
        LoadIn(_TEXT_, c.text);
        EXPECT_EQ(Double(0, c.col, c.keys).mark, 1);
        EXPECT_EQ(Marked(), c.want) << c.text << " keys " << c.keys;
        EXPECT_EQ(RowMark, 0);
    }
}

// Text mode shows the whole file: a range that interpret mode chose before
// does not limit the mouse.
TEST_F(ViewNav, TextMouseReachesPastAnEarlierTableRange) {
    const struct {
        const char* what;
        void (*act)(ViewNav&);
        Span want;
    } cases[] = {
        {"drag", [](ViewNav& t) { t.Drag(2, 0, 4); }, {14, 19}},
        {"ctrl row", [](ViewNav& t) { t.Down(1, 1, KeyControl); }, {7, 14}},
        {"double click", [](ViewNav& t) { t.Double(2, 4); }, {17, 19}},
        {"shift", [](ViewNav& t) {
             MarkState = 1;
             t.Down(2, 1, KeyShift);
         }, {0, 16}},
    };
    for (const auto& c : cases) {
        LoadIn(_TEXT_, "ab cd\r\nef gh\r\nij kl\r\n");
        ByteOffset = 2;
        NumBytes = 3;
        SetMark(0, 0, 2);
        c.act(*this);
        EXPECT_EQ(Marked(), c.want) << c.what;
    }
}

// Go To and Set Column: a line in text mode, else an address in the current
// addressing; the result kept within the document.
TEST_F(ViewNav, DialogValuesAreClamped) {
    const struct {
        uint16_t mode;
        bool column;
        int32_t offset;
        uint16_t addr;
        const char* text;
        int32_t want;  // LineNum, Col or ByteNum
    } cases[] = {
        {_TEXT_, false, 0, AddrPhysical, "0", 1},
        {_TEXT_, false, 0, AddrPhysical, "99999", 120},
        {_TEXT_, false, 0, AddrPhysical, "4294967295", 1},  // -1 as a signed number
        {_TEXT_, true, 0, AddrPhysical, "0", 1},
        {_TEXT_, true, 0, AddrPhysical, "9999", 8},
        {_HEX_, false, 0, AddrPhysical, "100000", 0x7FF},
        {_HEX_, false, 0, AddrPhysical, "FFFFFFFF", 0},
        {_HEX_, false, 0, AddrPhysical, "12G4", 0x12},  // not rounded to a row
        {_HEX_, true, 0, AddrPhysical, "500", 71},
        {_HEX_, false, 0x400, AddrPhysical, "410", 0x10},  // a table of 0x100 at 0x400
        {_HEX_, false, 0x400, AddrRva, "1420", 0x20},
        {_HEX_, false, 0x400, AddrZero, "410", 0xFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        LoadIn(c.mode, c.mode == _TEXT_ ? Lines(120) : std::string(0x800, 'g'));
        if (c.offset) {
            ByteOffset = c.offset;
            NumBytes = 0x100;
        }
        AddrMode = c.addr;
        RvaBias = 0x1000;
        EXPECT_TRUE(c.column ? SetColumnText(c.text) : GoToText(c.text));
        EXPECT_EQ(c.column ? Col : c.mode == _TEXT_ ? LineNum : ByteNum, c.want);
    }
    EXPECT_FALSE(GoToText(""));
    EXPECT_FALSE(SetColumnText(""));
}

TEST_F(ViewNav, MarkBytesStaysInTheFile) {
    const struct {
        int32_t offset;
        uint16_t addr;
        const char *first, *last;
        bool hex;
        Span want;
    } cases[] = {
        {0, AddrPhysical, "10", "1F", true, {0x10, 0x20}},
        {0, AddrPhysical, "10", "", true, {0x10, 0x11}},
        {0, AddrPhysical, "16", "31", false, {16, 32}},
        {0, AddrPhysical, "7F0", "FFFFFFFF", true, {0x7F0, 0x800}},  // past the end
        {0, AddrPhysical, "900", "", true, {0x7FF, 0x800}},          // beyond the last byte
        {0, AddrPhysical, "40", "20", true, {0x40, 0x41}},           // last before first
        {0x100, AddrZero, "10", "1F", true, {0x110, 0x120}},
        {0x100, AddrRva, "10", "1F", true, {0, 1}},  // below the file: its start
        {0x100, AddrRva, "1010", "101F", true, {0x10, 0x20}},
    };
    for (const auto& c : cases) {
        LoadIn(_HEX_, std::string(0x800, 'm'));
        ByteOffset = c.offset;
        AddrMode = c.addr;
        RvaBias = 0x1000;
        EXPECT_TRUE(MarkBytesText(c.first, c.last, c.hex));
        EXPECT_EQ(Marked(), c.want) << c.first << " " << c.last;
    }
    EXPECT_FALSE(MarkBytesText("", "20", true));
    LoadIn(_HEX_, "");
    EXPECT_FALSE(MarkBytesText("0", "0", true));
}

TEST_F(ViewNav, ConvertsBetweenBases) {
    const struct {
        const char* input;
        bool toHex;
        ConvertResult result;
        const char* out;
    } cases[] = {
        {"255", true, ConvertResult::Done, "        FF"},
        {"FFFFFFFF", false, ConvertResult::Done, "4294967295"},
        {"4294967296", true, ConvertResult::Done, "         0"},  // modulo 2^32
        {"123456789", false, ConvertResult::TooBig, nullptr},
        {"12345678901", true, ConvertResult::TooBig, nullptr},
        {"", true, ConvertResult::NoInput, nullptr},
    };
    for (const auto& c : cases) {
        char out[16] = "";
        EXPECT_EQ(ConvertNumber(c.input, c.toHex, out), c.result) << c.input;
        if (c.out) {
            EXPECT_STREQ(out, c.out);
        }
    }
}

}  // namespace
