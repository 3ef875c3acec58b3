// What a repaint of the view leaves on the screen when it reuses its font and
// its scroll bars: both follow every change of the document and the font.
#include "win_test_support.h"

namespace {

Ints Bar(int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(hViewWnd, bar, &si);
    return {si.nMin, si.nMax, static_cast<int32_t>(si.nPage), si.nPos};
}

using Repaint = ShellTest;

// Hex rows of 16 bytes: n bytes give rows 0 .. (n - 1) / 16 on the vertical
// bar; the horizontal bar spans the 71 columns of a row, its page cut to
// them when the window is wider.
TEST_F(Repaint, ScrollBarsFollowEachDocumentAndMove) {
    struct Case {
        const char* name;
        int bytes;
        int32_t vmax;
    };
    const Case cases[] = {
        {"long", 16 * 5000, 4999},
        {"short", 40, 2},
        {"one row", 16, 0},
        {"long again", 16 * 300 + 1, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenInView("orvex-bars.bin", std::string(static_cast<size_t>(c.bytes), 'r'), CM_VIEW_HEX);
        const Ints v = Bar(SB_VERT);
        EXPECT_EQ((Ints{v[0], v[1], v[3]}), (Ints{0, c.vmax, 0}));
        EXPECT_EQ(v[2], std::min(ScreenLines - 1, c.vmax + 1));
        const Ints h = Bar(SB_HORZ);
        EXPECT_EQ((Ints{h[0], h[1], h[3]}), (Ints{0, 70, 0}));
        EXPECT_EQ(h[2], std::min(ScreenCols, 71));
    }
    // The last case is 301 rows: Ctrl+End puts the last one at the bottom.
    SetFocus(hViewWnd);
    Key(VK_END, true);
    EXPECT_EQ(Bar(SB_VERT)[3], 300 - (ScreenLines - 2));
    Key(VK_HOME, true);
    EXPECT_EQ(Bar(SB_VERT)[3], 0);
}

// The font is made again when its face or size changes: the cell width the
// view measures is that of a font made here from the same face and size.
TEST_F(Repaint, ANewFaceOrSizeIsUsedAtTheNextPaint) {
    OpenInView("orvex-font.bin", std::string(4000, 'f'), CM_VIEW_HEX);
    struct Case {
        const char* face;
        int16_t height, width;
    };
    const Case cases[] = {
        {"Terminal", 12, 8},
        {"Courier New", 24, 0},
        {"Courier New", 13, 0},
        {"Terminal", 16, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.height));
        std::strcpy(FontName, c.face);
        FontHeight = c.height;
        FontWidth = c.width;
        InvalidateRect(hViewWnd, nullptr, TRUE);
        PaintView();
        HDC dc = GetDC(hViewWnd);
        HFONT font = CreateFontA(c.height, c.width, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 PROOF_QUALITY, FIXED_PITCH | FF_MODERN, c.face);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE a{};
        GetTextExtentPoint32A(dc, "A", 1, &a);
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(hViewWnd, dc);
        EXPECT_EQ(CharWidth, a.cx);
        if (c.width) {
            EXPECT_EQ(CharWidth, c.width);
        }
    }
}

}  // namespace
