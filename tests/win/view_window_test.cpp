#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/app_win.h"
#include "app/command_bar.h"
#include "app/layout.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "view/view_nav.h"
#include "win_test_support.h"

namespace {

class ViewWindow : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        CmdErase();
        LastCmd[0] = '\0';
    }
    static void Open(const char* name, const std::string& bytes, int mode) {
        OpenInView(name, bytes, mode);
    }
    static void Paint() { PaintView(); }
    static void Key(UINT vk) {
        const LPARAM lp = static_cast<LPARAM>(MapVirtualKeyA(vk, 0)) << 16 | 1;
        Route(GetFocus() ? GetFocus() : wn, WM_KEYDOWN, vk, lp);
        Paint();
    }
    // Pixel centre of character cell c on row r of the view.
    static LPARAM Cell(int c, int r) {
        return MAKELPARAM(4 + CharWidth * c + CharWidth / 2, 4 + FontHeight * r + FontHeight / 2);
    }
    static void Mouse(UINT msg, WPARAM keys, LPARAM at) {
        Route(hViewWnd, msg, keys, at);
        Paint();
    }
};

TEST_F(ViewWindow, PaintSetsTheMetricsAndTheStatusTexts) {
    Open("orvex-view.bin", std::string(2000, 'z'), CM_VIEW_HEX);
    RECT r;
    GetClientRect(hViewWnd, &r);
    EXPECT_EQ(ScreenLines, r.bottom / FontHeight);
    EXPECT_EQ(ScreenCols, (r.right - 4) / CharWidth);
    EXPECT_EQ(RowBytes, 16);
    EXPECT_EQ(HexCols, 71);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hViewWnd, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 1999 / 16);
    EXPECT_EQ(si.nPos, 0);
    GetScrollInfo(hViewWnd, SB_HORZ, &si);
    EXPECT_EQ(si.nMax, 70);
    EXPECT_EQ(StatusText(2), "\tByte values are in hex.");
    EXPECT_EQ(StatusText(3), "\tByte       0 of     7D0");

    Command(CM_VIEW_CHAR);
    Paint();
    EXPECT_EQ(RowBytes, 64);
    EXPECT_EQ(HexCols, 75);
    Command(CM_VIEW_TEXT);
    Paint();
    EXPECT_EQ(StatusText(2), "\tLine       1 of       1");
}

TEST_F(ViewWindow, KeysAndScrollBarsThroughTheRouting) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\r\n";
    Open("orvex-keys.txt", text, CM_VIEW_TEXT);
    SetFocus(hViewWnd);
    Key(VK_NEXT);
    EXPECT_EQ(LineNum, ScreenLines);
    Key(VK_DOWN);
    EXPECT_EQ(LineNum, ScreenLines + 1);
    SetControl(true);
    Key(VK_HOME);
    SetControl(false);
    EXPECT_EQ(LineNum, 1);
    // A key typed in the view goes to the command bar, not to the view.
    SetFocus(hViewWnd);
    Key('5');
    EXPECT_EQ(LineNum, 1);
    EXPECT_EQ(StatusText(0), "5");
    Key(VK_RETURN);
    EXPECT_EQ(LineNum, 5);
    EXPECT_EQ(StatusText(0), "");

    SendMessageA(hViewWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageA(hViewWnd, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(LineNum, 5);
    SendMessageA(hViewWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
    EXPECT_EQ(LineNum, 41);
    SendMessageA(hViewWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(LineNum, 42);
    SendMessageA(hViewWnd, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(Col, 2);
    SendMessageA(hViewWnd, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(Col, 2);
    EXPECT_EQ(GetFocus(), hViewWnd);
}

TEST_F(ViewWindow, MouseMarksInHexAndBlocksInText) {
    Open("orvex-mouse.bin", std::string(100, 'm'), CM_VIEW_HEX);
    // Press on byte 5's character, drag to byte 8 on the next row's digits.
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, Cell(54 + 5, 0));
    EXPECT_EQ(MarkState, 0);
    EXPECT_EQ(GetCapture(), hViewWnd);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, Cell(54 + 8, 1));
    Mouse(WM_LBUTTONUP, 0, Cell(54 + 8, 1));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(MarkState, 1);
    EXPECT_EQ(MarkStart, 5);
    EXPECT_EQ(MarkEnd, 16 + 9);
    EXPECT_EQ(MenuState(CM_COPY) & MF_GRAYED, 0u);
    // A move after the button went up marks nothing more.
    Mouse(WM_MOUSEMOVE, 0, Cell(54 + 15, 3));
    EXPECT_EQ(MarkEnd, 25);

    // Ctrl + click marks the row; a double click the word.
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, Cell(20, 2));
    Mouse(WM_LBUTTONUP, 0, Cell(20, 2));
    EXPECT_EQ(MarkStart, 32);
    EXPECT_EQ(MarkEnd, 48);
    Mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, Cell(54, 0));
    EXPECT_EQ(MarkStart, 0);
    EXPECT_EQ(MarkEnd, 100);
    // Far below the rows: never beyond the file.
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, Cell(54, 0));
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(600, 2000));
    Mouse(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(MarkStart, 0);
    EXPECT_EQ(MarkEnd, 100);
    // A click alone clears the mark.
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, Cell(54, 0));
    Mouse(WM_LBUTTONUP, 0, Cell(54, 0));
    EXPECT_EQ(MarkState, 0);
    EXPECT_NE(MenuState(CM_COPY) & MF_GRAYED, 0u);

    // Alt + drag in text makes a block.
    Open("orvex-block.txt", "alpha beta\r\ngamma delta\r\n", CM_VIEW_TEXT);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, Cell(1, 0));
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, Cell(40, 1));
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    Mouse(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(MarkState, 2);
    EXPECT_EQ(MarkStart, 1);
    EXPECT_EQ(MarkEnd, 12 + 11);  // up to the character before the CR
}

using Capture = ViewCapture;

// The mark's colours stand where the marked characters are; right of the
// rows' last whole cell up to the scroll bar the view shows its background,
// whatever was there before, in every mode.
TEST_F(ViewWindow, MarkColoursAndTheBackgroundRightOfTheRows) {
    MarkBkColor = RGB(255, 0, 0);
    MarkTextColor = RGB(255, 255, 0);
    Open("orvex-pixels.bin", std::string(64, 'p'), CM_VIEW_HEX);
    MarkStart = 2;
    MarkEnd = 6;
    SetMarked();
    Paint();
    Capture shot;
    const COLORREF red = RGB(255, 0, 0);
    // Bytes 2..5: digits 16..24 and characters 56..59.
    for (int c = 16; c < 25; ++c) EXPECT_GT(shot.Count(c, 0, red), 0) << c;
    for (int c = 56; c < 60; ++c) EXPECT_GT(shot.Count(c, 0, red), 0) << c;
    for (int c : {15, 25, 55, 60}) EXPECT_EQ(shot.Count(c, 0, red), 0) << c;
    for (int c = 0; c < 71; ++c) EXPECT_EQ(shot.Count(c, 1, red), 0) << c;

    BkColor = RGB(0, 0, 255);
    DeleteObject(hBkBrush);
    hBkBrush = CreateSolidBrush(BkColor);
    Open("orvex-strip.txt", std::string(300, 's') + "\r\n", CM_VIEW_TEXT);
    // A client width that leaves part of a cell over.
    RECT r;
    GetClientRect(hViewWnd, &r);
    if ((r.right - 4) % CharWidth == 0) {
        GetWindowRect(hViewWnd, &r);
        SetWindowPos(hViewWnd, nullptr, 0, 0, r.right - r.left + CharWidth / 2, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    GetClientRect(hViewWnd, &r);
    for (const int mode : {CM_VIEW_TEXT, CM_VIEW_HEX, CM_VIEW_CHAR}) {
        Command(mode);
        Col = mode == CM_VIEW_TEXT ? 1 : 40;  // hex and char rows end inside the view
        HDC dc = GetDC(hViewWnd);
        HBRUSH stale = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(dc, &r, stale);
        DeleteObject(stale);
        ReleaseDC(hViewWnd, dc);
        Paint();
        const int right = mode == CM_VIEW_TEXT ? 4 + CharWidth * ScreenCols
                                               : 4 + CharWidth * (HexCols + 1 - Col);
        ASSERT_LT(right, r.right) << mode;
        Capture shot;
        int stalePixels = 0;
        for (int y = 0; y < r.bottom; y += 3)
            for (int x = right; x < r.right; ++x) stalePixels += shot.Pixel(x, y) != BkColor;
        EXPECT_EQ(stalePixels, 0) << mode;
    }
}

TEST_F(ViewWindow, CommandBarEditingEnterAndRepeat) {
    Open("orvex-cmd.bin", std::string(0x800, 'c'), CM_VIEW_HEX);
    SetFocus(wn);
    EXPECT_EQ(StatusText(0), "Commands can be typed in and will appear here.");
    Key(VK_RETURN);
    EXPECT_EQ(StatusText(0), "Commands can be typed in and will appear here.");
    for (UINT k : {'1', 'A', '0'}) Key(k);
    EXPECT_EQ(StatusText(0), "1a0");
    Key(VK_BACK);
    EXPECT_EQ(StatusText(0), "1a");
    Key(VK_RETURN);
    EXPECT_EQ(ByteNum, 0x1A);
    EXPECT_EQ(StatusText(3), "\tByte      1A of     800");
    SetControl(true);
    Key('E');
    SetControl(false);
    Key(VK_ADD);
    Key('1');
    Key('0');
    EXPECT_EQ(StatusText(0), "+10");
    SetControl(true);
    Key('E');
    SetControl(false);
    EXPECT_EQ(StatusText(0), "");
    Key(VK_ADD);
    Key('2');
    Key(VK_RETURN);
    EXPECT_EQ(ByteNum, 0x1C);
    // Repeat: a click on status part 1.
    Route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(StatusEdges[0] + 5, 5));
    Paint();
    EXPECT_EQ(ByteNum, 0x1E);
}

}  // namespace
