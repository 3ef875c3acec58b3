#include "view/view_nav.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "doc_fixture.h"
#include "document/text_number.h"

namespace {

// Cells of 8 x 16 pixels; rows start 4 pixels in from the left and the top.
class ViewNav : public DocTest {
  public:
    void SetUp() override {
        DocTest::SetUp(), ScreenLines = 10, MarkState = MarkDrag = RowMark = 0;
    }
    static int X(int c) { return 4 + 8 * c + 3; }  // the centre of cell c
    static int Y(int r) { return 4 + 16 * r + 5; }
    PointerPlace At(int x, int y) {
        PointerPlace p{};
        EXPECT_TRUE(PlaceAt(x, y, 8, 16, &p));
        return p;
    }
    MouseEffect Down(int r, int c, unsigned keys = 0) { return ButtonDown(At(X(c), Y(r)), keys); }
    MouseEffect Move(int r, int c, unsigned keys = 0, bool alt = false) {
        return DragMove(At(X(c), Y(r)), keys, alt);
    }
    MouseEffect Double(int r, int c, unsigned keys = 0) {
        return DoubleClick(At(X(c), Y(r)), keys);
    }
    using Span = std::pair<int32_t, int32_t>;
    static Span Marked() { return {MarkStart, MarkEnd}; }
    static V Place(const PointerPlace& p) { return {p.byte, p.half, p.rowStart, p.rowEnd}; }
    static std::string Lines(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += (i ? "\nline " : "line ") + std::to_string(i);
        return s;
    }
};

// Each key (with Ctrl: c) from a position (LineNum, Col, ByteNum), 10 rows on screen: whether the
// view moved, and where to. Documents: L 100 text lines, W one of 201 columns (w: wrapped), H 32
// hex bytes (h: 40 columns shown), S 18 hex bytes, C 1000 char bytes, B 1000 hex bytes, F 100 hex
// bytes, K 1024 hex bytes.
TEST_F(ViewNav, KeysMoveWithinTheirLimits) {
    const unsigned PD = KeyPageDown, PU = KeyPageUp, E = KeyEnd, Hm = KeyHome, Lf = KeyLeft,
                   Rt = KeyRight, Up = KeyUp, Dn = KeyDown;
    const struct {
        char doc;
        V from;
        unsigned key;
        char c;
        V to;
    } cases[] = {
        {'L', {1, 1, 0}, PD, 0, {1, 10, 1, 0}},
        {'L', {10, 1, 0}, PD, 'c', {1, 14, 1, 0}} /* half a page */,
        {'L', {14, 1, 0}, Up, 0, {1, 13, 1, 0}},
        {'L', {13, 1, 0}, E, 'c', {1, 92, 1, 0}},
        {'L', {95, 1, 0}, PD, 0, {1, 100, 1, 0}} /* the last line at the top */,
        {'L', {50, 3, 7}, Hm, 'c', {1, 1, 3, 0}},
        {'L', {1, 1, 0}, PU, 0, {0, 1, 1, 0}},
        {'L', {1, 1, 0}, 'A', 0, {0, 1, 1, 0}},
        {'W', {1, 1, 0}, E, 0, {1, 1, 122, 0}},
        {'W', {1, 122, 0}, Lf, 'c', {1, 1, 82, 0}},
        {'W', {1, 82, 0}, Rt, 'c', {1, 1, 122, 0}},
        {'W', {1, 200, 0}, Rt, 'c', {1, 1, 201, 0}},
        {'W', {1, 201, 0}, Rt, 0, {0, 1, 201, 0}},
        {'W', {1, 2, 0}, Lf, 'c', {1, 1, 1, 0}},
        {'W', {1, 122, 0}, Hm, 0, {1, 1, 1, 0}},
        {'w', {1, 1, 0}, E, 0, {0, 1, 1, 0}},
        {'w', {1, 1, 0}, Rt, 0, {0, 1, 1, 0}},
        {'H', {1, 1, 0x15}, Dn, 0, {0, 1, 1, 0x15}} /* kept in the last row */,
        {'H', {1, 1, 0x15}, Up, 0, {1, 1, 1, 5}},
        {'H', {1, 1, 5}, Up, 0, {1, 1, 1, 0}},
        {'H', {1, 1, 0}, Rt, 0, {1, 1, 1, 1}},
        {'H', {1, 1, 5}, Lf, 0, {1, 1, 1, 4}},
        {'H', {1, 1, 0}, Lf, 0, {0, 1, 1, 0}},
        {'H', {1, 1, 0x1F}, Rt, 0, {0, 1, 1, 0x1F}},
        {'H', {1, 1, 0}, E, 0, {0, 1, 1, 0}} /* the row fits */,
        {'h', {1, 1, 0}, E, 0, {1, 1, 32, 0}},
        {'S', {1, 1, 5}, Dn, 0, {1, 1, 1, 0x11}},
        {'C', {1, 1, 0}, Dn, 0, {1, 1, 1, 64}},
        {'C', {1, 1, 64}, PD, 0, {1, 1, 1, 640}},
        {'F', {1, 1, 0}, E, 'c', {0, 1, 1, 0}} /* all on screen */,
        {'K', {1, 1, 0}, E, 'c', {1, 1, 1, 880}},
        {'B', {1, 1, 0}, E, 'c', {1, 1, 1, 864}},
    };
    const std::string L = Lines(100), W(201, 'x');
    for (const auto& c : cases) {
        const bool text = c.doc == 'L' || c.doc == 'W' || c.doc == 'w';
        const size_t size = c.doc == 'S'                   ? 18
                            : c.doc == 'F'                 ? 100
                            : c.doc == 'K'                 ? 1024
                            : c.doc == 'C' || c.doc == 'B' ? 1000
                                                           : 32;
        LoadIn(text           ? _TEXT_
               : c.doc == 'C' ? _CHAR_
                              : _HEX_,
               c.doc == 'L' ? L
               : text       ? W
                            : std::string(size, 'b'));
        ScreenCols = c.doc == 'h' ? 40 : 80, WrapFlag = c.doc == 'w' ? 8 : 0;
        LineNum = static_cast<int32_t>(c.from[0]), Col = static_cast<int32_t>(c.from[1]),
        ByteNum = static_cast<int32_t>(c.from[2]);
        const bool moved = ViewKey(c.key, c.c != 0);
        EXPECT_EQ(V({moved, LineNum, Col, ByteNum}), c.to)
            << c.doc << " key " << c.key << " from " << c.from[0];
    }
    EXPECT_EQ(HorizontalScroll().max, 70);
    ScreenLines = 1;  // Ctrl+End stops at the last byte, not beyond it
    EXPECT_TRUE(ViewKey(KeyEnd, true));
    EXPECT_EQ(ByteNum, 999);
    LoadIn(_TEXT_, W);
    WrapFlag = 8;
    EXPECT_EQ(HorizontalScroll().max, 0);
    ScreenLines = 10;
    LoadIn(_HEX_, "");  // an empty range keeps the view at its start
    for (unsigned key = KeyPageUp; key <= KeyDown; ++key) ViewKey(key, false), ViewKey(key, true);
    EXPECT_EQ(ByteNum, 0);
    VerticalScrollAction(5, 1000);
    EXPECT_EQ(V({ByteNum, VerticalScroll().max, ScrollScale}), V({0, 0, 1}));
    PointerPlace p;
    EXPECT_FALSE(PlaceAt(X(20), Y(0), 8, 16, &p));  // no byte to point at
    LoadIn(_HEX_, std::string(17, 'h'));            // a last row of one byte
    EXPECT_EQ(VerticalScroll().max, 1);
    LoadIn(_TEXT_, "");
    ViewKey(KeyDown, false), ViewKey(KeyEnd, true);
    EXPECT_EQ(LineNum, 1);
}

// Scroll bar actions (code, thumb) one after the other: whether the view moved, and where to.
TEST_F(ViewNav, ScrollBarsAndTheirActions) {
    LoadIn(_HEX_, std::string(2000000, 'x'));  // more rows than 16 bits hold: scaled by 2
    ByteNum = 1000000;
    const ScrollSpec big = VerticalScroll();
    EXPECT_EQ(V({ScrollScale, big.max, big.pos, big.page}), V({2, 62500, 31250, 4}));
    EXPECT_EQ(V({VerticalScrollAction(5, 100), ByteNum, VerticalScrollAction(5, 100)}),
              V({1, 3200, 0}));
    EXPECT_EQ(V({VerticalScrollAction(5, 62500), ByteNum}),
              V({1, 1999999}));  // the far end stays inside

    LoadIn(_TEXT_, Lines(50));
    LineNum = 5, VerticalScroll();
    const struct {
        bool horizontal;
        int code, thumb;
        bool moved;
        int32_t at;
    } steps[] = {
        {false, 2, 20, false, 5},
        {false, 3, 20, false, 5},
        {false, 4, 20, false, 5},
        {false, 6, 20, false, 5},
        {false, 7, 20, false, 5},
        {false, 8, 20, false, 5},
        {false, 1, 0, true, 6},
        {false, 0, 0, true, 5},
        {false, 5, 20, true, 21},
        {false, 5, 900, true, 50},
        {true, 0, 0, false, 1},
        {true, 1, 0, true, 2},
        {true, 5, 5, true, 6},
        {true, 1, 0, true, 7},
        {true, 1, 0, false, 7} /* the widest line */,
        {true, 5, 3, true, 4},
        {true, 2, 9, false, 4},
    };
    for (const auto& s : steps) {
        const bool moved = s.horizontal
                               ? HorizontalScrollAction(s.code, static_cast<uint16_t>(s.thumb))
                               : VerticalScrollAction(s.code, static_cast<uint16_t>(s.thumb));
        EXPECT_EQ(V({moved, s.horizontal ? Col : LineNum}), V({s.moved, s.at}))
            << "step " << &s - steps;
    }
    const ScrollSpec v = VerticalScroll(), h = HorizontalScroll();
    EXPECT_EQ(V({v.max, v.pos, h.max, h.page, h.pos}), V({49, 49, 6, 80, 3}));
}

// The pointer's place in half steps (2b on byte b, 2b - 1 in the gap before it) from its cell and
// row.
TEST_F(ViewNav, PointerCellsMapToBytesAndGaps) {
    struct Case {
        uint16_t mode;
        int32_t byteNum, col;
        int x, row;
        int32_t half;
    } cases[] = {
        // x < 0: a pixel
        {_HEX_, 0, 1, 11, 0, 0},
        {_HEX_, 0, 1, 12, 0, 0},
        {_HEX_, 0, 1, 13, 0, 2},  // byte 0's digits at 11, 12
        {_HEX_, 0, 1, 15, 0, 4},  // the blank between pairs: the byte on its right
        {_HEX_, 0, 1, 29, 0, 14},
        {_HEX_, 0, 1, 30, 0, 16},
        {_HEX_, 0, 1, 32, 0, 16},
        {_HEX_, 0, 1, 50, 0, 30},
        {_HEX_, 0, 1, 53, 1, 31},
        {_HEX_, 0, 1, 54, 1, 32},
        {_HEX_, 0, 1, 69, 1, 62},  // "[" and the characters
        {_HEX_, 0, 1, 70, 1, 63},
        {_HEX_, 0, 1, 3, 2, 63},
        {_HEX_, 0, 1, -2, 2, 63},  // "]", the address, the margin
        {_HEX_, 0, 12, 0, 0, 0},   // scrolled: the first cell is the first digit
        {_CHAR_, 3, 1, 11, 0, 6},
        {_CHAR_, 3, 1, 74, 1, 2 * (3 + 64 + 63)},
        {_CHAR_, 3, 1, 75, 1, 2 * (3 + 128) - 1},
        {_CHAR_, 3, 1, 5, 1, 2 * (3 + 64) - 1},
    };
    for (const Case& c : cases) {
        LoadIn(c.mode, std::string(200, 'q'));
        ByteNum = c.byteNum, Col = c.col;
        const PointerPlace p = At(c.x < 0 ? -c.x : X(c.x), Y(c.row));
        EXPECT_EQ(V({p.half, p.byte}), V({c.half, (c.half + 1) / 2}))
            << c.mode << " cell " << c.x << " row " << c.row;
    }
    LoadIn(_HEX_, std::string(64, 'q'));
    EXPECT_EQ(Place(At(X(20), Y(2))), V({36, 72, 32, 48}));
    LoadIn(_HEX_, std::string(20, 'q'));
    EXPECT_EQ(Place(At(X(60), Y(1))),
              V({20, 39, 16, 20}));  // beyond the 4 bytes of the short last row
    EXPECT_EQ(Place(At(X(12), Y(30))), V({20, 39, 16, 20}));  // far below it
    LoadIn(_TEXT_, "ab\ncd");
    EXPECT_EQ(Place(At(X(1), Y(5))), V({5, 9, 3, 5}));
    LoadIn(_TEXT_,
           "a\tbc\n");  // wide cells: columns 5 and 8 (the tab, the b) and the margin before byte 0
    PointerPlace p, q, r;
    EXPECT_EQ(V({PlaceAt(4 + 13 * 5, Y(0), 13, 16, &p), PlaceAt(4 + 13 * 8, Y(0), 13, 16, &q),
                 PlaceAt(1, Y(0), 13, 16, &r)}),
              V({1, 1, 1}));
    EXPECT_EQ(V({p.byte, q.byte, r.half}), V({1, 2, -1}));
    EXPECT_FALSE(PlaceAt(10, 10, 0, 16, &p));  // no cell width, no place
    DragAnchor = 0;
    ButtonDown(r, 0);
    EXPECT_EQ(DragMove(r, 0, false).mark, -1);  // no move from the last place
}

// Mouse actions one after the other on a document: each one's effect ("RC1": repaint, capture, mark
// 1;
// '-' for false, '.' for an unchanged mark) and the mark after it. Hex rows of 16 bytes: the
// characters of a row start at cell 54, its "[" at 53. Text mode shows the whole file, whatever
// range was chosen before.
TEST_F(ViewNav, MouseMarks) {
    const unsigned S = KeyShift, K = KeyControl;
    struct Step {
        char op;
        int r, c;
        unsigned keys;
        const char* fx;
        int32_t start = -1, end = -1;
    };
    // d: press, m: move, a: move with Alt, w: double click on row r, cell c; s: the mark r..c;
    // k: MarkState r; o: a range of c bytes at r; x: RowMark r.
    const struct {
        uint16_t mode;
        std::string doc;
        std::vector<Step> steps;
    } cases[] = {
        {_HEX_,
         std::string(64, 'q'),
         {{'d', 0, 60, S, "--."},
          {'d', 0, 59, 0, "-C."},
          {'m', 0, 59, 0, "R-1", 5, 6},
          {'m', 0, 62, 0, "", 5, 9},
          {'m', 0, 62, 0, "--."},
          {'k', 1, 0, 0, ""},
          {'d', 0, 62, 0, "RC0"},
          {'m', 0, 59, 0, "", 5, 9},
          {'m', 1, 53, 0, "", 8, 16} /* the gap before a character leaves it out */,
          {'d', 0, 57, 0, ""},
          {'a', 0, 57, 0, "R-2"},
          {'s', 10, 12, 0, ""},
          {'d', 1, 58, S, "R-1", 10, 21},
          {'d', 0, 56, S, "", 2, 21},
          {'m', 2, 53, S, "", 2, 32} /* "[" before row 2 */,
          {'s', 32, 40, 0, ""},
          {'d', 2, 53, S, "", 32, 33}}},
        {_HEX_,
         std::string(20, 'q'),
         {{'d', 0, 11, 0, ""},
          {'m', 40, 40, 0, "R-1", 0, 20},
          {'w', 40, 40, 0, "--."},
          {'d', 9, 12, K, "RC1", 16, 20}}},
        {_TEXT_,
         "hello world\r\nsecond\r\n",
         {{'d', 0, 2, 0, ""}, {'m', 0, 40, 0, "R-1", 2, 11}}},  // not the CR
        {_TEXT_,
         "first\r\nsecond\r\nthird\r\n",
         {{'d', 1, 2, K, "RC1", 7, 15} /* the line end included */,
          {'k', 1, 0, 0, ""},
          {'m', 2, 0, 0, "R-1", 7, 22},
          {'m', 1, 0, 0, "", 7, 15},
          {'m', 0, 0, 0, "", 0, 15},
          {'s', 0, 7, 0, ""},
          {'m', 0, 3, K, "--."},
          {'x', 1, 0, 0, ""},
          {'s', 7, 15, 0, ""},
          {'d', 2, 1, S, "", 7, 22} /* Shift extends by rows */,
          // The empty row after the last line end starts a drag without a mark, and drops one that
          // was there.
          {'k', 0, 0, 0, ""},
          {'d', 3, 0, K, "-C."},
          {'k', 0, 0, 0, ""},
          {'m', 2, 0, 0, "R-1", 15, 22},
          {'k', 1, 0, 0, ""},
          {'d', 3, 0, K, "RC0"},
          {'k', 0, 0, 0, ""},
          {'m', 2, 0, 0, "R-1", 15, 22}}},
        {_TEXT_,
         "x abc_def.txt/y z",
         {{'w', 0, 3, 0, "R-1", 2, 5}, {'w', 0, 3, S, "", 2, 9}, {'w', 0, 3, K, "", 2, 15}}},
        {_TEXT_, "a,-,b", {{'w', 0, 2, 0, "", 2, 3}}},  // the byte itself, word character or not
        {_TEXT_,
         "ab cd\r\nef gh\r\nij kl\r\n",
         {{'o', 2, 3, 0, ""},
          {'d', 2, 0, 0, ""},
          {'m', 2, 4, 0, "", 14, 19},
          {'d', 1, 1, K, "", 7, 14},
          {'w', 2, 4, 0, "", 17, 19},
          {'s', 0, 2, 0, ""},
          {'d', 2, 1, S, "", 0, 16}}},
    };
    for (const auto& c : cases) {
        LoadIn(c.mode, c.doc);
        for (const Step& s : c.steps) {
            SCOPED_TRACE(testing::Message()
                         << "case " << &c - cases << " step " << s.op << " " << s.r << "," << s.c);
            MouseEffect e{};
            switch (s.op) {
            case 'd': e = Down(s.r, s.c, s.keys); break;
            case 'm':
            case 'a': e = Move(s.r, s.c, s.keys, s.op == 'a'); break;
            case 'w': e = Double(s.r, s.c, s.keys); break;
            case 's': MarkState = 1, MarkStart = s.r, MarkEnd = s.c; break;
            case 'k': MarkState = static_cast<uint8_t>(s.r); break;
            case 'o': ByteOffset = s.r, NumBytes = static_cast<uint32_t>(s.c); break;
            case 'x': RowMark = static_cast<uint8_t>(s.r); break;
            }
            const char fx[] = {e.repaint ? 'R' : '-', e.capture ? 'C' : '-',
                               e.mark < 0 ? '.' : char('0' + e.mark), 0};
            EXPECT_TRUE(!*s.fx || std::string(fx) == s.fx) << fx;
            EXPECT_TRUE(s.start < 0 || (MarkStart == s.start && MarkEnd == s.end))
                << MarkStart << ".." << MarkEnd;
        }
    }
}

// Go To and Set Column (col): a line in text mode, else an address in the current addressing, kept
// in the document; 0x400: a table of 0x100 bytes there. Mark Bytes: a range kept in the file.
TEST_F(ViewNav, DialogValuesAreClamped) {
    const uint16_t P = AddrPhysical, Z = AddrZero, Rv = AddrRva, Tx = _TEXT_, Hx = _HEX_;
    const struct {
        uint16_t mode;
        bool col;
        int32_t offset;
        uint16_t addr;
        const char* text;
        int32_t want;
    } go[] = {
        {Tx, false, 0, P, "0", 1},
        {Tx, false, 0, P, "99999", 120},
        {Tx, false, 0, P, "4294967295", 1} /* -1 */,
        {Tx, true, 0, P, "0", 1},
        {Tx, true, 0, P, "9999", 8},
        {Hx, false, 0, P, "100000", 0x7FF},
        {Hx, false, 0, P, "FFFFFFFF", 0},
        {Hx, false, 0, P, "1fG4", 0x1F} /* up to the first non-digit, not rounded to a row */,
        {Hx, true, 0, P, "500", 71},
        {Hx, false, 0x400, P, "410", 0x10},
        {Hx, false, 0x400, Rv, "1420", 0x20},
        {Hx, false, 0x400, Z, "410", 0xFF},
    };
    for (const auto& c : go) {
        LoadIn(c.mode, c.mode == _TEXT_ ? Lines(120) : std::string(0x800, 'g'));
        if (c.offset) ByteOffset = c.offset, NumBytes = 0x100;
        AddrMode = c.addr, RvaBias = 0x1000;
        EXPECT_TRUE(c.col ? SetColumnText(c.text) : GoToText(c.text));
        EXPECT_EQ(c.col ? Col : c.mode == _TEXT_ ? LineNum : ByteNum, c.want) << c.text;
    }
    EXPECT_FALSE(GoToText(""));
    EXPECT_FALSE(SetColumnText(""));
    const struct {
        int32_t offset;
        uint16_t addr;
        const char *first, *last;
        bool hex;
        Span want;
    } mark[] = {
        {0, P, "10", "1F", true, {0x10, 0x20}},
        {0, P, "10", "", true, {0x10, 0x11}},
        {0, P, "16", "31", false, {16, 32}},
        {0, P, "7F0", "FFFFFFFF", true, {0x7F0, 0x800}} /* past the end */,
        {0, P, "900", "", true, {0x7FF, 0x800}},
        {0, P, "40", "20", true, {0x40, 0x41}} /* last before first */,
        {0x100, Z, "10", "1F", true, {0x110, 0x120}},
        {0x100, Rv, "10", "1F", true, {0, 1}} /* below the file: its start */,
        {0x100, Rv, "1010", "101F", true, {0x10, 0x20}},
    };
    for (const auto& c : mark) {
        LoadIn(_HEX_, std::string(0x800, 'm'));
        ByteOffset = c.offset, AddrMode = c.addr, RvaBias = 0x1000;
        EXPECT_TRUE(MarkBytesText(c.first, c.last, c.hex));
        EXPECT_EQ(Marked(), c.want) << c.first << " " << c.last;
    }
    EXPECT_FALSE(MarkBytesText("", "20", true));
    LoadIn(_HEX_, "");
    EXPECT_FALSE(MarkBytesText("0", "0", true));
}

}  // namespace
