#include <gtest/gtest.h>

#include "app/layout.h"
#include "app/settings.h"

TEST(FrameLayout, StatusPartsOfAnEightHundredPixelWindow) {
    SetStatusEdges(800);
    EXPECT_EQ(StatusEdges[0], 430);
    EXPECT_EQ(StatusEdges[1], 480);
    EXPECT_EQ(StatusEdges[2], 650);
    EXPECT_EQ(StatusEdges[3], 800);
    EXPECT_EQ(StatusPartAt(0), 0);
    EXPECT_EQ(StatusPartAt(430), 0);
    EXPECT_EQ(StatusPartAt(431), 1);
    EXPECT_EQ(StatusPartAt(480), 1);
    EXPECT_EQ(StatusPartAt(481), 2);
    EXPECT_EQ(StatusPartAt(650), 2);
    EXPECT_EQ(StatusPartAt(651), 3);
}

TEST(FrameLayout, SplitterZoneIsFourPixelsRightOfTheTree) {
    TreeWidth = 180;
    ViewHeight = 500;
    EXPECT_FALSE(OnSplitter(179, 10));
    EXPECT_TRUE(OnSplitter(180, 10));
    EXPECT_TRUE(OnSplitter(183, 10));
    EXPECT_FALSE(OnSplitter(184, 10));
    EXPECT_FALSE(OnSplitter(181, 500));  // on the status bar
}

TEST(FrameLayout, ImagePaneOfIcons) {
    ImageIsBitmap = 0;
    CellWidth = 40;
    CellHeight = 50;
    ImageFirst = 0;
    ImageLast = 9;  // ten cells
    // (421 - 4 - 17) / 40 = 10 per row beside the vertical bar: one row,
    // and room for the horizontal bar.
    EXPECT_EQ(ImagePaneHeightFor(421, 800, 17), 54 + 17);
    EXPECT_EQ(ContentHeight, 50);
    // 404 leaves room for 9 per row only: two rows.
    EXPECT_EQ(ImagePaneHeightFor(404, 800, 17), 104 + 17);
    // Five per row: two rows.
    EXPECT_EQ(ImagePaneHeightFor(221, 800, 17), 104 + 17);
    // Cells wider than the pane: one per row.
    EXPECT_EQ(ImagePaneHeightFor(30, 2000, 17), 504 + 17);
}

TEST(FrameLayout, TallImagePaneIsCutToWholeRows) {
    ImageIsBitmap = 0;
    CellWidth = 40;
    CellHeight = 50;
    ImageFirst = 0;
    ImageLast = 99;
    // 7 * (400 / 8) = 350, a multiple of 50; 7 * (330 / 8) = 287 -> 250.
    EXPECT_EQ(ImagePaneHeightFor(404, 400, 17), 350 + 17);
    EXPECT_EQ(ImagePaneHeightFor(404, 330, 17), 250 + 17);
}

TEST(FrameLayout, BitmapPaneIsNotRounded) {
    ImageIsBitmap = 1;
    CellWidth = 300;
    CellHeight = 500;
    ContentHeight = 500;
    EXPECT_EQ(ImagePaneHeightFor(400, 330, 17), 287 + 17);
    EXPECT_EQ(ImagePaneHeightFor(400, 1000, 17), 504 + 17);
    ImageIsBitmap = 0;
}
