// The view window: keys, scroll bars and mouse through the routing, checked on
// the position, the mark, the command bar and the pixels on the screen.
#include "app/command_bar.h"
#include "win_test_support.h"

namespace {

std::string Mark() {
    return "state " + std::to_string(MarkState) + " bytes " + std::to_string(MarkStart) + ".." +
           std::to_string(MarkEnd);
}
std::string Place() { return "line " + std::to_string(LineNum) + " col " + std::to_string(Col); }
const char* const Prompt = "Commands can be typed in and will appear here.";

void Keys(std::initializer_list<UINT> keys, bool ctrl = false) {
    for (UINT vk : keys) Key(vk, ctrl);  // from the focus
}
// At the centre of character cell (col, row).
void Mouse(UINT msg, WPARAM keys, int col, int row) {
    Route(hViewWnd, msg, keys,
          MAKELPARAM(4 + CharWidth * col + CharWidth / 2, 4 + FontHeight * row + FontHeight / 2));
    PaintView();
}

// The view's client area made `width` x `height` pixels.
void SizeViewClient(int width, int height) {
    RECT w, c;
    GetWindowRect(hViewWnd, &w);
    GetClientRect(hViewWnd, &c);
    SetWindowPos(hViewWnd, nullptr, 0, 0, w.right - w.left - c.right + width,
                 w.bottom - w.top - c.bottom + height, SWP_NOMOVE | SWP_NOZORDER);
    PaintView();
}

using ViewWindow = ShellTest;

// What is typed in the view goes to the command bar; the bar's Repeat part,
// the scroll bars and Page Down move the view. The moves themselves are the
// native tests' part.
TEST_F(ViewWindow, KeysScrollBarsAndTheCommandBarMove) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\r\n";
    OpenInView("orvex-keys.txt", text, CM_VIEW_TEXT);
    SizeViewClient(406, 245);  // 8 x 12 cells: 20 rows (240 + 5), 50 columns (4 + 400 + 2)
    CmdErase();
    LastCmd[0] = '\0';
    EXPECT_EQ(ScreenLines, 20);
    EXPECT_EQ(ScreenCols, 50);
    SetFocus(hViewWnd);
    Keys({VK_NEXT});  // a page less one row
    EXPECT_EQ(Place(), "line 20 col 1");
    EXPECT_EQ(StatusText(0), Prompt);
    Keys({VK_ADD, '2', '0', VK_BACK});
    EXPECT_EQ(StatusText(0), "+2");
    Keys({VK_RETURN});
    EXPECT_EQ(Place(), "line 22 col 1");
    EXPECT_EQ(StatusText(0), "");
    Route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(StatusEdges[0] + 5, 5));  // Repeat
    EXPECT_EQ(Place(), "line 24 col 1");
    SendMessageA(hViewWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
    SendMessageA(hViewWnd, WM_HSCROLL, SB_LINERIGHT, 0);
    PaintView();
    EXPECT_EQ(Place(), "line 41 col 2");
    EXPECT_EQ(GetScrollPos(hViewWnd, SB_VERT), 40);
    EXPECT_EQ(GetFocus(), hViewWnd);
}

// Hex rows of 16 bytes: the characters start at cell 54.
TEST_F(ViewWindow, TheMouseMarksAndCopyFollows) {
    OpenInView("orvex-mouse.bin", std::string(100, 'm'), CM_VIEW_HEX);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 54 + 5, 0);  // byte 5's character
    EXPECT_EQ(GetCapture(), hViewWnd);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 54 + 8, 1);  // byte 24's character, a row below
    Mouse(WM_LBUTTONUP, 0, 54 + 8, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Mark(), "state 1 bytes 5..25");
    EXPECT_TRUE(ButtonState(CM_COPY) & TBSTATE_ENABLED);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 54, 0);  // a click alone clears
    Mouse(WM_LBUTTONUP, 0, 54, 0);
    EXPECT_EQ(MarkState, 0);
    EXPECT_TRUE(MenuState(CM_COPY) & MF_GRAYED);
    EXPECT_TRUE(ButtonState(CM_COPY) & TBSTATE_INDETERMINATE);
}

// In each mode the mark's colour is on the marked cells only (a block's columns
// on every line, short ones too), and nothing stale is left right of the rows'
// last whole cell or below the last row.
TEST_F(ViewWindow, MarkColoursAndNothingStaleLeft) {
    MarkBkColor = RGB(255, 0, 0);
    BkColor = RGB(0, 0, 255);
    DeleteObject(hBkBrush);
    hBkBrush = CreateSolidBrush(BkColor);
    OpenInView("orvex-pixels.txt", "0123456789\nab\n0123456789\n" + std::string(300, 's'),
               CM_VIEW_TEXT);
    struct Cells {
        int row, from, to;  // cells [from, to) of the row
    };
    const struct {
        int mode, state, end;
        std::vector<Cells> marked;
    } cases[] = {
        // Bytes 2 up to the third line's column 6: columns 2..5 of lines 1..3.
        {CM_VIEW_TEXT, 2, 11 + 3 + 6, {{0, 2, 6}, {1, 2, 6}, {2, 2, 6}}},
        // Bytes 2..5: digits "32 33 34 35" in cells 16..24 and characters in 56..59.
        {CM_VIEW_HEX, 1, 6, {{0, 16, 25}, {0, 56, 60}}},
        // The 8-digit address and 3 blanks, then one cell a byte: 13..16.
        {CM_VIEW_CHAR, 1, 6, {{0, 13, 17}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        Command(c.mode);
        SizeViewClient(4 + 8 * 72 + 2, 245);  // part of a cell over
        SetMark(c.state, 2, c.end);
        RECT r;
        GetClientRect(hViewWnd, &r);
        HDC dc = GetDC(hViewWnd);
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(hViewWnd, dc);
        PaintView();
        const Capture shot;
        EXPECT_EQ(shot.Count(0, 0, shot.r.right, shot.r.bottom, RGB(255, 255, 255)), 0);
        for (int row = 0; row < 4; ++row)
            for (int cell = 0; cell < 71; ++cell) {
                bool marked = false;
                for (const Cells& m : c.marked)
                    marked = marked || (m.row == row && cell >= m.from && cell < m.to);
                EXPECT_EQ(shot.Cell(cell, row, MarkBkColor) > 0, marked)
                    << "row " << row << " cell " << cell;
            }
    }
}

}  // namespace
