// The image pane laid out and scrolled for sizes at the ends of their ranges.
#include <gtest/gtest.h>

#include "interpret/image_pane.h"
#include "interpret/image_table.h"
#include "interpret_test_files.h"

namespace {

// The pane for views 300 x 400 (limit 7 * 50 = 350) with bars 17 wide and high.
class Pane : public ::testing::Test {
  protected:
    void TearDown() override {
        SelImages.clear();
        ImageIsBitmap = 0;
        VScrollPos = HScrollPos = 0;
    }
    static void Icons(int count, int32_t cell) {
        ImageIsBitmap = 0;
        SelImages.assign(static_cast<size_t>(count), 0);
        CellWidth = CellHeight = cell;
    }
    static void Bitmap(int32_t width, int32_t height) {
        ImageIsBitmap = 1;
        BmpWidth = width;
        BmpHeight = height;
        CellWidth = width + 4;
        CellHeight = height + 4;
    }
};

// Every pixel of a bitmap can be scrolled into view: the last position shows its right and
// bottom margins at the client's edges.
TEST_F(Pane, ScrollsToTheLastPixel) {
    Bitmap(1000, 1000);
    LayOutPane(300, 400, 17, 17);
    PaneHScroll(7, 0);  // to the last positions
    PaneVScroll(7, 0);
    // Inside the edge and the vertical bar: 300 - 4 - 17 = 279 wide; 350 - 4 = 346 high.
    EXPECT_EQ((std::vector<int32_t>{HScrollPos + 279, VScrollPos + 346}),
              (std::vector<int32_t>{1004, 1004}));
    // A bitmap 2^31 - 1 pixels wide keeps a size: the margin is cut, nothing wraps negative.
    Bytes header(40);
    header.U32(0, 40).U32(4, 0x7FFFFFFF).U32(8, 1);
    LoadBytes(header.data, "wide.dll");
    ImageShow = ImagesBitmap;
    ByteOffset = 0;
    SetImageCells();
    LayOutPane(300, 400, 17, 17);
    PaneHScroll(7, 0);
    EXPECT_EQ(HScrollPos, 0x7FFFFFFF - 296);
    ImageShow = ImagesNone;
}

// After the views narrow, the row shown first holds the icon that was shown first.
TEST_F(Pane, KeepsTheFirstIconShownWhenRowsChange) {
    Icons(100, 36);
    LayOutPane(300, 200, 17, 17);  // 7 a row beside the bar
    VScrollPos = 5;                // icons 35 ...
    LayOutPane(150, 200, 17, 17);  // (150 - 4 - 17) / 36 = 3 a row: icon 35 is in row 11
    EXPECT_EQ(VScrollPos, 11);
    // A group of 65,535 icons, one a row: rows counted past 16 bits, four shown.
    Icons(65535, 36);
    LayOutPane(40, 200, 17, 17);
    PaneKey(0x23, true);  // Ctrl+End
    EXPECT_EQ((std::vector<int32_t>{MaxRow, VScrollPos}), (std::vector<int32_t>{65534, 65531}));
}

}  // namespace
