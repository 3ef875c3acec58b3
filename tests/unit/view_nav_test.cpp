#include "view/view_nav.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/text_number.h"
#include "view/hex_rows.h"

namespace {

// The scroll bar codes of Windows (SB_LINEUP, SB_LINEDOWN, SB_THUMBTRACK).
constexpr int ScrollLineUp = 0, ScrollLineDown = 1, ScrollThumbTrack = 5;

// Cells of 8 x 16 pixels; rows start 4 pixels in from the left and the top.
class ViewNav : public DocTest {
  public:
    void SetUp() override {
        DocTest::SetUp();
        ScreenLines = 10;
        MarkState = 0;
        MarkDrag = 0;
        RowMark = 0;
    }
    static int X(int c) { return 4 + 8 * c + 3; }  // the centre of cell c
    static int Y(int r) { return 4 + 16 * r + 5; }
    PointerPlace At(int x, int y) {
        PointerPlace p{};
        EXPECT_TRUE(PlaceAt(x, y, 8, 16, &p)) << x << "," << y;
        return p;
    }
    static std::string Position(bool moved) {
        return std::string(moved ? "moved" : "kept") + " line " + std::to_string(LineNum) +
               " col " + std::to_string(Col) + " byte " + std::to_string(ByteNum);
    }
    static std::string Marked() {
        return std::to_string(MarkStart) + ".." + std::to_string(MarkEnd);
    }
    static std::string Place(const PointerPlace& p) {
        return "byte " + std::to_string(p.byte) + " half " + std::to_string(p.half) + " row " +
               std::to_string(p.rowStart) + ".." + std::to_string(p.rowEnd);
    }
    static std::string Lines(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += (i ? "\nline " : "line ") + std::to_string(i);
        return s;
    }
};

// A document of the key table: its name, the mode it is shown in and its bytes.
struct NamedDoc {
    const char* name;
    uint16_t mode;
    std::string bytes;
};

// Each key from a position, 10 rows on screen: whether the view moved, and where to.
TEST_F(ViewNav, KeysMoveWithinTheirLimits) {
    const NamedDoc HundredLines{"HundredLines", _TEXT_, Lines(100)},
        Wide201{"Wide201", _TEXT_, std::string(201, 'x')},
        Hex32{"Hex32", _HEX_, std::string(32, 'b')},
        Char1000{"Char1000", _CHAR_, std::string(1000, 'b')};
    const struct {
        const NamedDoc& doc;
        int32_t line, col, byte;
        unsigned key;
        bool ctrl;
        const char* want;
    } cases[] = {
        {HundredLines, 10, 1, 0, KeyPageDown, true, "moved line 14 col 1 byte 0"},  // half
        {Wide201, 1, 1, 0, KeyEnd, false, "moved line 1 col 122 byte 0"},
        {Hex32, 1, 1, 0x15, KeyDown, false, "kept line 1 col 1 byte 21"},  // the last row
        {Char1000, 1, 1, 640, KeyPageUp, true, "moved line 1 col 1 byte 384"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.doc.name << " key " << c.key << (c.ctrl ? " with Ctrl" : "")
                     << " from line " << c.line << " col " << c.col << " byte " << c.byte);
        LoadIn(c.doc.mode, c.doc.bytes);
        LineNum = c.line;
        Col = c.col;
        ByteNum = c.byte;
        const bool moved = ViewKey(c.key, c.ctrl);
        EXPECT_EQ(Position(moved), c.want);
    }
}

// The pointer's place: the byte, the half step (2b on byte b, 2b - 1 in the gap before it) and the
// row's bytes. Hex rows of 16 bytes: byte b's digits at cell 11 + 2b + b / 2 + b / 8, its
// character at 54 + b.
TEST_F(ViewNav, PointerRowsAndWideCells) {
    LoadIn(_HEX_, std::string(64, 'q'));
    EXPECT_EQ(Place(At(X(20), Y(2))), "byte 36 half 72 row 32..48");
    EXPECT_EQ(Place(At(X(33), Y(0))), "byte 8 half 16 row 0..16");  // byte 8's second digit
    LoadIn(_TEXT_, "ab\ncd");
    EXPECT_EQ(Place(At(4, Y(0))), "byte 0 half 0 row 0..3");  // the first pixel of a cell
    // Cells 13 pixels wide: column 8 is the b after the tab, and left of byte 0 the margin.
    LoadIn(_TEXT_, "a\tbc\n");
    PointerPlace b, margin;
    ASSERT_TRUE(PlaceAt(4 + 13 * 8, Y(0), 13, 16, &b));
    ASSERT_TRUE(PlaceAt(1, Y(0), 13, 16, &margin));
    EXPECT_EQ(b.byte, 2);
    EXPECT_EQ(margin.half, -1);
    EXPECT_FALSE(PlaceAt(10, 10, 0, 16, &b));  // no cell width, no place
}

// Mouse actions one after the other; each one's effect ("RC1": repaint, capture, mark 1; '-' for
// false, '.' for an unchanged mark; "" not checked) and the mark after it ("" not checked). Hex
// rows of 16 bytes: the characters of a row start at cell 54, its "[" at 53. Text mode shows the
// whole file, whatever range was chosen before.
enum Act { Press, Drag, AltDrag, Double, SetMark, SetMarkState, SetRange };

TEST_F(ViewNav, MouseMarks) {
    const unsigned S = KeyShift, K = KeyControl;
    struct Step {
        Act act;
        int r, c;
        unsigned keys;
        const char* effect;
        const char* mark = "";
    };
    const struct {
        const char* what;
        uint16_t mode;
        std::string doc;
        std::vector<Step> steps;
    } cases[] = {
        {"hex, 64 bytes",
         _HEX_,
         std::string(64, 'q'),
         {
             {Press, 0, 59, 0, "-C."},
             {Drag, 0, 62, 0, "", "5..9"},
             {SetMarkState, 1, 0, 0, ""},
             {Press, 0, 62, 0, "RC0"},
             {Press, 0, 57, 0, ""},
             {AltDrag, 0, 57, 0, "R-2"},  // a block
             {SetMark, 32, 40, 0, ""},
             {Press, 2, 53, S, "", "32..33"},
         }},
        {"hex, 20 bytes",
         _HEX_,
         std::string(20, 'q'),
         {
             {Double, 40, 40, 0, "--."},
         }},
        {"text rows",
         _TEXT_,
         "first\r\nsecond\r\nthird\r\n",
         {
             {Press, 1, 2, K, "RC1", "7..15"},  // the line end included
             {Drag, 2, 0, 0, "R-1", "7..22"},
             {Drag, 1, 0, 0, "", "7..15"},
             {Drag, 0, 0, 0, "", "0..15"},
             // The empty row after the last line end starts a drag without a mark.
             {SetMarkState, 0, 0, 0, ""},
             {Press, 3, 0, K, "-C."},
             {Drag, 2, 0, 0, "R-1", "15..22"},
         }},
        {"words",
         _TEXT_,
         "x abc_def.txt/y z",
         {
             {Double, 0, 0, 0, "R-1", "0..1"},  // the first byte
             {Double, 0, 3, K, "", "2..15"},
         }},
        {"text inside a range",
         _TEXT_,
         "ab cd\r\nef gh\r\nij kl\r\n",
         {
             {SetRange, 2, 3, 0, ""},
             {SetMark, 0, 2, 0, ""},
             {Press, 2, 1, S, "", "0..16"},
         }},
    };
    for (const auto& c : cases) {
        LoadIn(c.mode, c.doc);
        for (const Step& s : c.steps) {
            SCOPED_TRACE(testing::Message() << c.what << ", step " << &s - c.steps.data() + 1
                                            << " at " << s.r << "," << s.c);
            MouseEffect e{};
            switch (s.act) {
            case Press: e = ButtonDown(At(X(s.c), Y(s.r)), s.keys); break;
            case Drag:
            case AltDrag: e = DragMove(At(X(s.c), Y(s.r)), s.keys, s.act == AltDrag); break;
            case Double: e = DoubleClick(At(X(s.c), Y(s.r)), s.keys); break;
            case SetMark:
                MarkState = 1;
                MarkStart = s.r;
                MarkEnd = s.c;
                break;
            case SetMarkState: MarkState = static_cast<uint8_t>(s.r); break;
            case SetRange:
                ByteOffset = s.r;
                NumBytes = static_cast<uint32_t>(s.c);
                break;
            }
            const char effect[] = {e.repaint ? 'R' : '-', e.capture ? 'C' : '-',
                                   e.mark < 0 ? '.' : static_cast<char>('0' + e.mark), 0};
            if (*s.effect) {
                EXPECT_EQ(std::string(effect), s.effect);
            }
            if (*s.mark) {
                EXPECT_EQ(Marked(), s.mark);
            }
        }
    }
}

// The hex view's edges: Ctrl+End on a one-row screen shows the last byte; the sideways bar ends
// at the row's last column; a file of 70,000 rows is counted in steps of 2 rows (its bar's range
// 0..69,999 halved, plus 1); a click below the last text line lands at the file's end, on that
// line.
TEST_F(ViewNav, EdgesOfTheViewAndItsBars) {
    LoadIn(_HEX_, std::string(0x800, 'h'));
    ScreenLines = 1;
    ViewKey(KeyEnd, true);
    EXPECT_EQ(ByteNum, 0x7FF);
    EXPECT_EQ(HorizontalScroll().max, HexRowWidth - 1);
    LoadIn(_HEX_, std::string(16 * 70000, 'h'));
    EXPECT_EQ(VerticalScroll().max, 35000);
    LoadIn(_TEXT_, "ab\ncd");
    EXPECT_EQ(Place(At(X(1), Y(5))), "byte 5 half 9 row 3..5");  // half 9: the gap before byte 5
}

}  // namespace

// The scroll bars' messages one after the other in 50 lines whose widest, "line 49", is 7
// columns: whether each moved the view, and to where.
TEST_F(ViewNav, ScrollBarActionsOneAfterTheOther) {
    LoadIn(_TEXT_, Lines(50));
    LineNum = 5;
    VerticalScroll();  // sets the scale the thumb is read in
    const struct {
        const char* what;
        bool horizontal;
        int code, thumb;
        const char* want;
    } steps[] = {
        {"thumb", false, ScrollThumbTrack, 20, "moved line 21 col 1 byte 0"},
        {"thumb past the end", false, ScrollThumbTrack, 900, "moved line 50 col 1 byte 0"},
        {"left at column 1", true, ScrollLineUp, 0, "kept line 50 col 1 byte 0"},
        {"thumb right", true, ScrollThumbTrack, 5, "moved line 50 col 6 byte 0"},
        {"right to the widest line", true, ScrollLineDown, 0, "moved line 50 col 7 byte 0"},
        {"right beyond it", true, ScrollLineDown, 0, "kept line 50 col 7 byte 0"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        const uint16_t thumb = static_cast<uint16_t>(s.thumb);
        const bool moved = s.horizontal ? HorizontalScrollAction(s.code, thumb)
                                        : VerticalScrollAction(s.code, thumb);
        EXPECT_EQ(Position(moved), s.want);
    }
    EXPECT_EQ(VerticalScroll().max, 49);
    EXPECT_EQ(VerticalScroll().pos, 49);
    EXPECT_EQ(HorizontalScroll().max, 6);
    EXPECT_EQ(HorizontalScroll().pos, 6);
}

// Go To and Set Column as typed: text lines of "line N", 0x800 bytes in hex (a table of 0x100
// at 0x400 where one is given, RVA bias 0x1000).
TEST_F(ViewNav, GoToAndSetColumnAreClamped) {
    const uint16_t P = AddrPhysical;
    const struct {
        const char* what;
        uint16_t mode;
        bool column;
        int32_t offset;
        uint16_t addr;
        const char* typed;
        int32_t want;
    } cases[] = {
        {"past the last line", _TEXT_, false, 0, P, "99999", 120},
        {"past the widest line", _TEXT_, true, 0, P, "9999", 8},
        {"to the first non-digit, not rounded", _HEX_, false, 0, P, "1fG4", 0x1F},
        {"RVA in a table", _HEX_, false, 0x400, AddrRva, "1420", 0x20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoadIn(c.mode, c.mode == _TEXT_ ? Lines(120) : std::string(0x800, 'g'));
        if (c.offset) {
            ByteOffset = c.offset;
            NumBytes = 0x100;
        }
        AddrMode = c.addr;
        RvaBias = 0x1000;
        EXPECT_TRUE(c.column ? SetColumnText(c.typed) : GoToText(c.typed));
        EXPECT_EQ(c.column ? Col : c.mode == _TEXT_ ? LineNum : ByteNum, c.want);
    }
    EXPECT_FALSE(GoToText(""));
    EXPECT_FALSE(SetColumnText(""));
}

// Mark Bytes as typed in 0x800 bytes (RVA bias 0x1000): the marked range, start..end.
TEST_F(ViewNav, MarkBytesRangesAreKeptInTheFile) {
    const struct {
        const char* what;
        int32_t offset;
        uint16_t addr;
        const char *first, *last;
        bool hex;
        const char* want;
    } cases[] = {
        {"no last byte: one byte", 0, AddrPhysical, "10", "", true, "16..17"},
        {"the first past the end", 0, AddrPhysical, "900", "", true, "2047..2048"},
        {"last before first", 0, AddrPhysical, "40", "20", true, "64..65"},
        {"RVA", 0x100, AddrRva, "1010", "101F", true, "16..32"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoadIn(_HEX_, std::string(0x800, 'm'));
        ByteOffset = c.offset;
        AddrMode = c.addr;
        RvaBias = 0x1000;
        EXPECT_TRUE(MarkBytesText(c.first, c.last, c.hex));
        EXPECT_EQ(Marked(), c.want);
    }
    LoadIn(_HEX_, "");
    EXPECT_FALSE(MarkBytesText("0", "0", true));
}
