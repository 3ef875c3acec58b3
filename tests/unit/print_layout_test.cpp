// Page arithmetic of printing: metrics, margins, fonts, lines and pages.
#include <gtest/gtest.h>

#include <vector>

#include "doc_fixture.h"
#include "print/page_layout.h"
#include "print/print_settings.h"

namespace {

// Print choices and metrics at their defaults for each test: a letter page
// at 600 dpi with strips of 0.25 inch, the text 7 inches (4200 units) wide.
class PrintLayoutTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        PortraitMargins = {100, 55, 50, 55};
        LandscapeMargins = {55, 100, 55, 50};
        PrintSize = 4;
        PrintCpi = 0;
        PrintSpacing = 2;
        PrintLineNums = 0;
        TakePrinterMetrics({600, 600, 5100, 6600, 150, 150, 4800, 6000});
    }
};

// A font whose average width is the requested width plus `slack`, or
// `natural` for width 0; counts the fonts made.
struct FixedMeasure final : FontMeasure {
    FixedMeasure(int32_t natural, int32_t slack) : natural(natural), slack(slack) {}
    int32_t AverageWidth(int32_t width) override { return ++made, width == 0 ? natural : width + slack; }
    int32_t natural, slack;
    int made = 0;
};

TEST_F(PrintLayoutTest, MetricsAndMarginsFromTheDeviceCaps) {
    // Resolutions, page width and height, the four strips and the four
    // margins (left, top, right, bottom).
    struct Case { DeviceCaps caps; std::vector<int32_t> expect; } cases[] = {
        // A4 at 300 dpi as the PDF printer reports it: the portrait set
        {{300, 300, 2479, 3508, 50, 50, 2379, 3408}, {300, 300, 826, 1169, 16, 16, 17, 17, 100, 55, 50, 55}},
        // landscape letter, strips of 0.25 inch: the landscape set
        {{600, 600, 6600, 5100, 150, 150, 6300, 4800}, {600, 600, 1100, 850, 25, 25, 25, 25, 55, 100, 55, 50}},
        // a square page counts as landscape
        {{100, 100, 800, 800, 0, 0, 800, 800}, {100, 100, 800, 800, 0, 0, 0, 0, 55, 100, 55, 50}},
        // the finest resolution and the largest page taken
        {{100000, 100000, 850000, 1100000, 0, 0, 850000, 1100000},
         {100000, 100000, 850, 1100, 0, 0, 0, 0, 100, 55, 50, 55}},
        {{1, 1, 1000, 1000, 0, 0, 1000, 1000}, {1, 1, 100000, 100000, 0, 0, 0, 0, 55, 100, 55, 50}},
        // a top strip of 0.60 inch and a right one of 0.75 raise those margins
        {{100, 100, 850, 1100, 10, 60, 765, 1000}, {100, 100, 850, 1100, 10, 60, 75, 40, 100, 60, 75, 55}},
    };
    for (const Case& c : cases) {
        TakePrinterMetrics(c.caps);
        EXPECT_EQ((std::vector<int32_t>{LogPixelsX, LogPixelsY, PageWidth, PageHeight, MinLeft, MinTop, MinRight,
                                        MinBottom, LeftMargin, TopMargin, RightMargin, BottomMargin}),
                  c.expect);
    }
    EXPECT_EQ(PortraitMargins.top, 55);  // the stored sets stay as they were
    // A report without a resolution, or of a page no printer has, leaves the
    // metrics as they were.
    for (const DeviceCaps& bad : {DeviceCaps{0, 300, 1, 1, 0, 0, 1, 1}, DeviceCaps{300, 0, 1, 1, 0, 0, 1, 1},
                                  DeviceCaps{100001, 300, 1, 1, 0, 0, 1, 1}, DeviceCaps{300, 300, 0, 3508, 0, 0, 1, 1},
                                  DeviceCaps{1, 1, INT32_MAX, 2000, 0, 0, 1, 1},
                                  DeviceCaps{300, 300, 2479, 3508, -50, 50, 2379, 3408}}) {
        TakePrinterMetrics(bad);
        EXPECT_EQ((std::vector<int32_t>{PageWidth, MinLeft}), (std::vector<int32_t>{850, 10}));
    }
}

TEST_F(PrintLayoutTest, PrintFontByViewAndCpi) {
    EXPECT_EQ(TextWidthUnits(), 4200);
    EXPECT_EQ(PrintHeightUnits(), 100);
    struct Case { uint16_t mode; uint8_t cpi; int32_t width; } cases[] = {
        {_TEXT_, 0, 0}, {_TEXT_, 2, 60}, {_HEX_, 0, 59}, {_CHAR_, 0, 56}, {_HEX_, 3, 50}, {_CHAR_, 6, 30}};
    for (const Case& c : cases) {
        ShowMode = c.mode;
        PrintCpi = c.cpi;
        EXPECT_EQ(RequestedPrintWidth(), c.width) << c.mode << " cpi " << int(c.cpi);
    }
    PrintSize = 9;
    EXPECT_EQ(PrintHeightUnits(), 200);

    struct Fit { uint16_t mode; uint8_t cpi; int32_t natural, slack, width, chars, ave, made; } fits[] = {
        {_HEX_, 0, 0, 2, 57, 71, 59, 3},     // 59 -> 61 gives 68 characters: narrowed to 57
        {_CHAR_, 0, 0, 0, 56, 75, 56, 1},    // a char row fits at once
        {_HEX_, 3, 0, 20, 50, 60, 70, 1},    // a cpi chosen: the first font stands
        {_HEX_, 0, 0, 200, 1, 20, 201, 59},  // a font that never narrows stops at 1
        {_TEXT_, 0, 50, 0, 0, 84, 50, 1},    // text: the natural width, measured once
        {_TEXT_, 0, 0, 0, 0, 0, 0, 1},       // a font measured 0 wide: no characters
    };
    for (const Fit& f : fits) {
        SCOPED_TRACE(f.slack);
        ShowMode = f.mode;
        PrintCpi = f.cpi;
        FixedMeasure measure(f.natural, f.slack);
        EXPECT_EQ(FitPrintFont(measure), f.width);
        EXPECT_EQ(CharsPerLine, f.chars);
        EXPECT_EQ(PrintCharWidth, f.ave);
        EXPECT_EQ(measure.made, f.made);
    }
}

TEST_F(PrintLayoutTest, PreviewFontAndPageWidth) {
    struct Case { uint8_t cpi; int32_t printWidth, dpi, expect; } cases[] = {
        {1, 0, 600, 9}, {2, 0, 600, 7}, {3, 0, 600, 6}, {4, 0, 600, 5}, {5, 0, 600, 4}, {6, 0, 600, 4},
        {0, 50, 600, 6}, {0, 25, 300, 6}, {0, 27, 300, 6} /* 6.48 */, {0, 28, 300, 7} /* 6.72 */,
    };
    for (const Case& c : cases) {
        PrintCpi = c.cpi;
        PrintCharWidth = c.printWidth;
        LogPixelsX = c.dpi;
        EXPECT_EQ(PreviewRequestWidth(), c.expect) << int(c.cpi) << " " << c.printWidth;
    }
    EXPECT_TRUE(PreviewNeedsRetry(7, 6, 8));
    EXPECT_FALSE(PreviewNeedsRetry(7, 6, 6));  // fixed pitch: max = average
    EXPECT_FALSE(PreviewNeedsRetry(6, 6, 9));

    PreviewFontHeight = 12;
    SetFontInfo(7, 14, 8, 7);
    EXPECT_STREQ(FontInfoText, "72 dpi:  12x7 --> 14x8,7");
    PreviewCharWidth = 7;
    CharsPerLine = 84;
    EXPECT_EQ(PreviewPageWidth(), 696);  // 84 characters and 1.50 inch of margins
}

TEST_F(PrintLayoutTest, PagePlanWithAndWithoutFooter) {
    CharsPerLine = 80;
    TopMargin = 50;
    BottomMargin = 60;
    LeftMargin = 125;
    // The expected x0, y0, bottom, pitch, footerTop and lines.
    struct Case {
        int32_t dpi, height, offset, h;
        uint8_t spacing;
        bool footer;
        std::vector<int32_t> expect;
        bool drawable;
    } cases[] = {
        // printer at 600 dpi with offsets of 0.25 inch, the default font
        {600, 1100, 25, 100, 2, false, {600, 150, 6090, 100, 5990, 59}, true},
        // the footer takes one font height above the bottom margin and one pitch
        {600, 1100, 25, 100, 2, true, {600, 150, 6090, 100, 5990, 57}, true},
        // preview at 72 dpi; 1 1/2 spacing with 9 points
        {72, 1100, 0, 12, 2, true, {90, 36, 748, 12, 736, 57}, true},
        {72, 1100, 0, 9, 3, true, {90, 36, 748, 13, 739, 53}, true},
        {72, 1100, 0, 8, 4, false, {90, 36, 748, 16, 740, 44}, true},
        // nothing is drawn on a page too short or with no room for a line
        {72, 400, 0, 12, 2, false, {90, 36, 244, 12, 232, 17}, false},
        {72, 416, 0, 12, 2, false, {90, 36, 256, 12, 244, 18}, true},
        {72, 1100, 0, 800, 2, false, {90, 36, 748, 800, -52, 0}, false},
        {72, 1100, 0, 0, 2, false, {90, 36, 748, 0, 748, 0}, false},  // no font height
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " dpi, height " << c.height << ", h " << c.h);
        PrintSpacing = c.spacing;
        const PagePlan p = PlanPage(c.dpi, c.dpi, c.height, c.offset, c.offset, c.h, c.footer);
        EXPECT_EQ((std::vector<int32_t>{p.x0, p.y0, p.bottom, p.pitch, p.footerTop, p.lines}), c.expect);
        EXPECT_EQ(p.drawable, c.drawable);
    }
    PrintSpacing = 2;
    CharsPerLine = 3;
    EXPECT_TRUE(PlanPage(72, 72, 1100, 0, 0, 12, false).drawable);
    CharsPerLine = 2;  // a line too narrow
    EXPECT_FALSE(PlanPage(72, 72, 1100, 0, 0, 12, false).drawable);
}

TEST_F(PrintLayoutTest, PageCountsRowsAndColumns) {
    // Text counts NumLines, hex and char NumBytes.
    struct Case { uint16_t mode; int32_t lines; uint32_t bytes; int32_t perPage, pages; } cases[] = {
        {_TEXT_, 0, 0, 55, 1},   {_TEXT_, 0, 0, 1, 1},     {_TEXT_, 1000, 0, 55, 19}, {_TEXT_, 990, 0, 55, 18},
        {_TEXT_, 991, 0, 55, 19}, {_TEXT_, 5, 0, 0, 5},    {_HEX_, 0, 4096, 40, 7},   {_HEX_, 0, 0, 40, 1},
        {_HEX_, 0, 640, 40, 1},  {_CHAR_, 0, 4096, 40, 2}, {_CHAR_, 0, 2561, 40, 2},
        {_HEX_, 0, 0x7FFFFFFF, 1, 134217728},
    };
    for (const Case& c : cases) {
        ShowMode = c.mode;
        NumLines = c.lines;
        NumBytes = c.bytes;
        EXPECT_EQ(CountPages(c.perPage), c.pages) << c.mode << " " << c.lines << " " << c.bytes;
    }
    CharsPerLine = 80;
    EXPECT_EQ(PrintTextCols(), 80);
    PrintLineNums = 2;  // "001:  "
    EXPECT_EQ(PrintTextCols(), 74);
}

}  // namespace
