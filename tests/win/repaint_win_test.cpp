// What a repaint of the view leaves on the screen when it reuses its font and
// its scroll bars: both follow every change of the document and the font.
#include "win_test_support.h"

namespace {

using Repaint = ShellTest;

// Hex rows of 16 bytes: n bytes give rows 0 .. (n - 1) / 16 on the vertical
// bar, whatever the document before had.
TEST_F(Repaint, ScrollBarsFollowEachDocument) {
    const struct {
        const char* name;
        int bytes;
        int32_t vmax;
    } cases[] = {
        {"long", 16 * 5000, 4999},
        {"short", 40, 2},
        {"long again", 16 * 300 + 1, 300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenInView("orvex-bars.bin", std::string(static_cast<size_t>(c.bytes), 'r'), CM_VIEW_HEX);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, -1, -1, 0, -1, 0};
        GetScrollInfo(hViewWnd, SB_VERT, &si);
        EXPECT_EQ((Ints{si.nMin, si.nMax, si.nPos}), (Ints{0, c.vmax, 0}));
        EXPECT_EQ(static_cast<int>(si.nPage), std::min(ScreenLines - 1, c.vmax + 1));
    }
}

// A change of size alone makes the font again: the cell width the view
// measures is that of a font made here at that size (a new face: the
// appearance tests).
TEST_F(Repaint, ANewSizeIsUsedAtTheNextPaint) {
    OpenInView("orvex-font.bin", std::string(4000, 'f'), CM_VIEW_HEX);
    std::strcpy(FontName, "Courier New");
    FontWidth = 0;
    for (int16_t height : {24, 13}) {
        SCOPED_TRACE(height);
        FontHeight = height;
        InvalidateRect(hViewWnd, nullptr, TRUE);
        PaintView();
        HDC dc = GetDC(hViewWnd);
        HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 PROOF_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
        HGDIOBJ old = SelectObject(dc, font);
        SIZE a{};
        GetTextExtentPoint32A(dc, "A", 1, &a);
        DeleteObject(SelectObject(dc, old));
        ReleaseDC(hViewWnd, dc);
        EXPECT_EQ(CharWidth, a.cx);
    }
}

}  // namespace
