// The view window: keys, scroll bars and mouse through the routing, checked on
// the position, the mark, the command bar and the pixels on the screen.
#include "app/command_bar.h"
#include "win_test_support.h"

namespace {

Ints Mark() { return {MarkState, MarkStart, MarkEnd}; }
bool CopyGrayed() {
    return (MenuState(CM_COPY) & MF_GRAYED) && (ButtonState(CM_COPY) & TBSTATE_INDETERMINATE);
}

void Keys(std::initializer_list<UINT> keys, bool ctrl = false) {
    for (UINT vk : keys) Key(vk, ctrl);  // from the focus
}
// At the centre of character cell (col, row).
void Mouse(UINT msg, WPARAM keys, int col, int row) {
    Route(hViewWnd, msg, keys,
          MAKELPARAM(4 + CharWidth * col + CharWidth / 2, 4 + FontHeight * row + FontHeight / 2));
    PaintView();
}

using ViewWindow = ShellTest;

TEST_F(ViewWindow, KeysScrollBarsTheCommandBarAndTheMouseMarkAndCopyFollows) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\r\n";
    OpenInView("orvex-keys.txt", text, CM_VIEW_TEXT);
    CmdErase();
    LastCmd[0] = '\0';
    RECT r;
    GetClientRect(hViewWnd, &r);
    EXPECT_EQ((Ints{ScreenLines, ScreenCols}),
              (Ints{r.bottom / FontHeight, (r.right - 4) / CharWidth}));
    SetFocus(hViewWnd);
    Keys({VK_NEXT, VK_DOWN});
    EXPECT_EQ(LineNum, ScreenLines + 1);
    Keys({VK_HOME}, true);
    EXPECT_EQ(LineNum, 1);
    Keys({'5', '0', VK_BACK});  // typed in the view: to the command bar
    EXPECT_EQ(StatusText(0) + "@" + std::to_string(LineNum), "5@1");
    Keys({VK_RETURN});
    EXPECT_EQ(StatusText(0) + "@" + std::to_string(LineNum), "@5");
    Keys({'9'});
    Keys({'E'}, true);  // clears it
    Keys({VK_ADD, '2', VK_RETURN});
    EXPECT_EQ(LineNum, 7);
    Route(hStatusBar, WM_LBUTTONDOWN, 0,
          MAKELPARAM(StatusEdges[0] + 5, 5));  // status part 1: repeat
    EXPECT_EQ(LineNum, 9);
    SendMessageA(hViewWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
    SendMessageA(hViewWnd, WM_HSCROLL, SB_LINERIGHT, 0);
    PaintView();
    EXPECT_EQ(Ints({LineNum, GetScrollPos(hViewWnd, SB_VERT), Col}), (Ints{41, 40, 2}));
    EXPECT_EQ(GetFocus(), hViewWnd);

    OpenInView("orvex-mouse.bin", std::string(100, 'm'), CM_VIEW_HEX);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 54 + 5, 0);  // byte 5's character
    EXPECT_EQ(GetCapture(), hViewWnd);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 54 + 8, 1);  // byte 24's character, a row below
    Mouse(WM_LBUTTONUP, 0, 54 + 8, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Mark(), (Ints{1, 5, 25}));
    // Ctrl + click marks the row; a double click the word; a click alone clears.
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 20, 2);
    Mouse(WM_LBUTTONUP, 0, 20, 2);
    EXPECT_EQ(Mark(), (Ints{1, 32, 48}));
    Mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, 54, 0);
    EXPECT_EQ(Mark(), (Ints{1, 0, 100}));
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 54, 0);
    Mouse(WM_LBUTTONUP, 0, 54, 0);
    EXPECT_TRUE(MarkState == 0 && CopyGrayed());
    // Ctrl+A marks to the end, F2 switches to a block, Ctrl+U drops it.
    ByteNum = 10;
    Keys({'A'}, true);
    EXPECT_EQ(Mark(), (Ints{1, 10, 100}));
    EXPECT_TRUE(ButtonState(CM_COPY) & TBSTATE_ENABLED);
    Keys({VK_F2});
    EXPECT_EQ(MarkState, 2);
    Keys({'U'}, true);
    Keys({VK_F2});
    EXPECT_TRUE(MarkState == 0 && CopyGrayed());
}

// In each mode the mark's colours are on the marked cells only (a block's columns
// on every line, short ones too), and nothing stale is left right of the rows'
// last whole cell or below the last row.
TEST_F(ViewWindow, MarkColoursAndNothingStaleLeft) {
    MarkBkColor = RGB(255, 0, 0);
    BkColor = RGB(0, 0, 255);
    DeleteObject(hBkBrush);
    hBkBrush = CreateSolidBrush(BkColor);
    OpenInView("orvex-pixels.txt", "0123456789\nab\n0123456789\n" + std::string(300, 's'),
               CM_VIEW_TEXT);
    RECT r;  // a client width that leaves part of a cell over
    GetClientRect(hViewWnd, &r);
    if ((r.right - 4) % CharWidth == 0) {
        GetWindowRect(hViewWnd, &r);
        SetWindowPos(hViewWnd, nullptr, 0, 0, r.right - r.left + CharWidth / 2, r.bottom - r.top,
                     SWP_NOMOVE);
        GetClientRect(hViewWnd, &r);
    }
    for (const int mode : {CM_VIEW_TEXT, CM_VIEW_HEX, CM_VIEW_CHAR}) {
        Command(mode);
        // text: a block to column 6 of the third line
        SetMark(mode == CM_VIEW_TEXT ? 2 : 1, 2, mode == CM_VIEW_TEXT ? 11 + 3 + 6 : 6);
        HDC dc = GetDC(hViewWnd);
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(hViewWnd, dc);
        PaintView();
        const Capture shot;
        EXPECT_EQ(shot.Count(0, 0, shot.r.right, shot.r.bottom, RGB(255, 255, 255)), 0) << mode;
        // Bytes 2..5: text, block columns 2..5 of lines 1..3; hex, digits 16..24 and
        // characters 56..59; char, cells 13..16.
        for (int row = 0; row < 4; ++row)
            for (int c = 0; c < 71; ++c) {
                const bool marked = mode == CM_VIEW_TEXT ? row < 3 && c >= 2 && c < 6
                                    : mode == CM_VIEW_HEX
                                        ? row == 0 && ((c >= 16 && c < 25) || (c >= 56 && c < 60))
                                        : row == 0 && c >= 13 && c < 17;
                EXPECT_EQ(shot.Cell(c, row, MarkBkColor) > 0, marked)
                    << mode << " row " << row << " cell " << c;
            }
    }
}

}  // namespace
