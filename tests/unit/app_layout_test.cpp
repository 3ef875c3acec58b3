#include "app/layout.h"

#include <gtest/gtest.h>

#include "app/settings.h"

TEST(FrameLayout, StatusPartsAndSplitterZone) {
    SetStatusEdges(800);
    EXPECT_EQ(StatusEdges[0], 430);
    EXPECT_EQ(StatusEdges[1], 480);
    EXPECT_EQ(StatusEdges[2], 650);
    EXPECT_EQ(StatusEdges[3], 800);
    const int parts[][2] = {{0, 0}, {430, 0}, {431, 1}, {480, 1}, {481, 2}, {650, 2}, {651, 3}};
    for (const auto& p : parts) EXPECT_EQ(StatusPartAt(p[0]), p[1]) << p[0];

    TreeWidth = 180;  // the four pixels right of the tree, above the status bar
    ViewHeight = 500;
    const int spots[][3] = {{179, 10, 0}, {180, 10, 1}, {183, 10, 1}, {184, 10, 0}, {181, 500, 0}};
    for (const auto& s : spots) EXPECT_EQ(OnSplitter(s[0], s[1]), s[2] != 0) << s[0] << "," << s[1];
}

// The image pane's height for a pane width x height, scroll bars 17 wide:
// cells of icons beside the vertical bar and room for the horizontal one, cut
// to whole rows when tall; a bitmap is not rounded.
TEST(FrameLayout, ImagePaneHeight) {
    const struct {
        uint8_t bitmap;
        int32_t cellW, cellH, last, width, height, want;
    } cases[] = {
        {0, 40, 50, 9, 421, 800, 54 + 17},    // (421 - 4 - 17) / 40 = 10 per row: one row
        {0, 40, 50, 9, 404, 800, 104 + 17},   // nine per row: two rows
        {0, 40, 50, 9, 221, 800, 104 + 17},   // five per row
        {0, 40, 50, 9, 30, 2000, 504 + 17},   // cells wider than the pane: one per row
        {0, 40, 50, 99, 404, 400, 350 + 17},  // 7 * (400 / 8), a multiple of 50
        {0, 40, 50, 99, 404, 330, 250 + 17},  // 7 * (330 / 8) = 287, cut to 250
        {1, 300, 500, 0, 400, 330, 287 + 17},
        {1, 300, 500, 0, 400, 1000, 504 + 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        ImageIsBitmap = c.bitmap;
        CellWidth = c.cellW;
        CellHeight = c.cellH;
        ContentHeight = 500;
        ImageFirst = 0;
        ImageLast = c.last;
        EXPECT_EQ(ImagePaneHeightFor(c.width, c.height, 17), c.want);
        EXPECT_TRUE(c.width != 421 || ContentHeight == 50);  // one row of icons
    }
    ImageIsBitmap = 0;
}
