// What a selection in the tree leaves on the screen is what the windows show
// when all of them are drawn afresh: the drawing a selection saves (a scroll
// bar set before its frame is painted, the position texts written with the
// status bar's drawing held, an image pane kept as it is) leaves nothing
// stale.
#include "win_test_support.h"

#include "interpret_test_files.h"

namespace {

using SelectionRepaint = ShellTest;

std::vector<uint32_t> Shown() {
    UpdateWindow(wn);
    GdiFlush();
    return Capture(wn).px;
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
    OpenPath(ORVEX_FIXTURE_DIR "\\fixture64.dll", CM_VIEW_INTERP);
    ASSERT_TRUE(hTreeView);
    SizeViews(177, 400);
    // Every node: sections and directories (long and short ranges), the
    // listings, resource types with their images, single images and groups,
    // the image pane made, resized and removed.
    for (size_t n = 0; n < TreeNodes.size(); ++n) SelectAndCompare(static_cast<int32_t>(n));
    // Icons of one size one after another: the pane keeps its place and
    // shows another picture.
    const int32_t icons = TreeNodes[static_cast<size_t>(FindNode("ICON"))].FirstChild;
    for (const char* entry : {"1", "4", "2", "5"}) SelectAndCompare(FindNode(entry, icons));
    TakeDialogs();
}

}  // namespace
