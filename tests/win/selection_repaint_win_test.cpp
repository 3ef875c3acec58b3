// What a selection in the tree leaves on the screen is what the windows show when all of them are
// drawn afresh: the drawing a selection saves (a scroll bar set before its frame is painted, the
// position texts written with the status bar's drawing held, an image pane kept as it is) leaves
// nothing stale.
#include "win_test_support.h"

namespace {

using SelectionRepaint = ShellTest;

// The main window's client area as it is on the screen, 0xRRGGBB a pixel.
std::vector<uint32_t> Shown() {
    UpdateWindow(wn);
    RECT r;
    GetClientRect(wn, &r);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC screen = GetDC(wn);
    HDC dc = CreateCompatibleDC(screen);
    SelectObject(dc, dib);
    BitBlt(dc, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> px(p, p + static_cast<size_t>(r.right) * r.bottom);
    DeleteDC(dc);
    ReleaseDC(wn, screen);
    DeleteObject(dib);
    return px;
}

void SelectAndCompare(int32_t node) {
    ASSERT_GE(node, 0);
    SelectNode(node);
    const std::vector<uint32_t> after = Shown();
    RedrawWindow(wn, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(after == Shown()) << TreeNodes[static_cast<size_t>(node)].Text;
}

TEST_F(SelectionRepaint, EachSelectionShowsWhatAFullRedrawShows) {
    OpenPath(Fixture("fixture64.dll"), CM_VIEW_INTERP);
    ASSERT_TRUE(hTreeView);
    // Every node: sections and directories (long and short ranges), the listings, resource types
    // with their images, single images and groups, the image pane made, resized and removed.
    for (size_t n = 0; n < TreeNodes.size(); ++n) SelectAndCompare(static_cast<int32_t>(n));
    // Icons of one size one after another: the pane keeps its place and shows another picture.
    const int32_t icons = Node("ICON");
    for (const char* entry : {"1", "4", "2", "5"}) SelectAndCompare(Node(entry, icons));
    TakeDialogs();
}

}  // namespace
