// Page arithmetic of printing: metrics, margins, fonts, lines and pages.
#include <gtest/gtest.h>

#include <string>

#include "doc_fixture.h"
#include "print/page_layout.h"
#include "print/print_settings.h"
#include "row_capture.h"
#include "view/text_rows.h"

namespace {

// Print choices and metrics at their defaults for each test.
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

// Measures a font whose average width is the requested width, or `natural`
// for width 0, and counts the fonts made.
class FixedMeasure final : public FontMeasure {
public:
    explicit FixedMeasure(int32_t natural, int32_t slack = 0) : natural_(natural), slack_(slack) {}
    int32_t AverageWidth(int32_t width) override {
        ++made;
        return width == 0 ? natural_ : width + slack_;
    }
    int made = 0;

private:
    int32_t natural_;
    int32_t slack_;
};

TEST_F(PrintLayoutTest, MetricsComeFromTheDeviceCaps) {
    // A4 at 300 dpi as the PDF printer reports it, strips of 1/6 inch.
    TakePrinterMetrics({300, 300, 2479, 3508, 50, 50, 2379, 3408});
    EXPECT_EQ(LogPixelsX, 300);
    EXPECT_EQ(PageWidth, 826);
    EXPECT_EQ(PageHeight, 1169);
    EXPECT_EQ(MinLeft, 16);
    EXPECT_EQ(MinTop, 16);
    EXPECT_EQ(MinRight, 826 - 16 - 793);
    EXPECT_EQ(MinBottom, 1169 - 16 - 1136);
    // A report without a resolution, or of a page no printer has, leaves the
    // metrics as they were.
    for (const DeviceCaps& bad : {DeviceCaps{0, 0, 1, 1, 0, 0, 1, 1},
                                  DeviceCaps{1, 1, INT32_MAX, 2000, 0, 0, 1, 1},
                                  DeviceCaps{300, 300, 2479, 3508, -50, 50, 2379, 3408}}) {
        TakePrinterMetrics(bad);
        EXPECT_EQ(PageWidth, 826);
        EXPECT_EQ(MinLeft, 16);
    }
}

TEST_F(PrintLayoutTest, MarginsFollowThePageShapeAndTheStrips) {
    struct Case {
        DeviceCaps caps;
        Margins expect;  // left, top, right, bottom
    } cases[] = {
        // portrait letter, strips of 0.25 inch: the portrait set, raised
        {{600, 600, 5100, 6600, 150, 150, 4800, 6300}, {100, 55, 50, 55}},
        // landscape letter
        {{600, 600, 6600, 5100, 150, 150, 6300, 4800}, {55, 100, 55, 50}},
        // a square page counts as landscape
        {{100, 100, 800, 800, 0, 0, 800, 800}, {55, 100, 55, 50}},
        // a top strip of 0.60 inch and a right one of 0.75 raise those margins
        {{100, 100, 850, 1100, 10, 60, 765, 1000}, {100, 60, 75, 55}},
    };
    for (const Case& c : cases) {
        TakePrinterMetrics(c.caps);
        EXPECT_EQ(LeftMargin, c.expect.left);
        EXPECT_EQ(TopMargin, c.expect.top);
        EXPECT_EQ(RightMargin, c.expect.right);
        EXPECT_EQ(BottomMargin, c.expect.bottom);
    }
    EXPECT_EQ(PortraitMargins.top, 55);  // the stored sets stay as they were
}

TEST_F(PrintLayoutTest, PrintFontWidthByViewAndCpi) {
    // Width between the margins: (850 - 100 - 50) / 100 inch at 600 dpi.
    EXPECT_EQ(TextWidthUnits(), 4200);
    EXPECT_EQ(PrintHeightUnits(), 100);
    struct Case {
        uint16_t mode;
        uint8_t cpi;
        int32_t width;
    } cases[] = {
        {_TEXT_, 0, 0},          {_TEXT_, 2, 60},          {_HEX_, 0, 4200 / 71},
        {_CHAR_, 0, 4200 / 75},  {_HEX_, 3, 50},           {_CHAR_, 6, 30},
    };
    for (const Case& c : cases) {
        ShowMode = c.mode;
        PrintCpi = c.cpi;
        EXPECT_EQ(RequestedPrintWidth(), c.width) << c.mode << " cpi " << int(c.cpi);
    }
    PrintSize = 9;
    EXPECT_EQ(PrintHeightUnits(), 200);
}

TEST_F(PrintLayoutTest, HexFontIsNarrowedUntilARowFits) {
    ShowMode = _HEX_;
    // A font two units wider than asked: 59 -> 61 gives 68 characters, so
    // it is narrowed to 57 (59 wide, 71 characters).
    FixedMeasure wide(0, 2);
    EXPECT_EQ(FitPrintFont(wide), 57);
    EXPECT_EQ(CharsPerLine, 71);
    EXPECT_EQ(PrintCharWidth, 59);
    EXPECT_EQ(wide.made, 3);

    // With a cpi chosen the first font stands, however narrow the line.
    PrintCpi = 3;
    FixedMeasure chosen(0, 20);
    EXPECT_EQ(FitPrintFont(chosen), 50);
    EXPECT_EQ(chosen.made, 1);
    EXPECT_EQ(CharsPerLine, 4200 / 70);

    // A font that never narrows: the loop stops at width 1.
    PrintCpi = 0;
    FixedMeasure stubborn(0, 200);
    EXPECT_EQ(FitPrintFont(stubborn), 1);
    EXPECT_EQ(CharsPerLine, 4200 / 201);

    // Text: the natural width, measured once.
    ShowMode = _TEXT_;
    FixedMeasure text(50);
    EXPECT_EQ(FitPrintFont(text), 0);
    EXPECT_EQ(CharsPerLine, 84);
    EXPECT_EQ(text.made, 1);
}

TEST_F(PrintLayoutTest, PreviewFontAndPageWidth) {
    struct Case {
        uint8_t cpi;
        int32_t printWidth, dpi, expect;
    } cases[] = {
        {1, 0, 600, 9}, {2, 0, 600, 7}, {3, 0, 600, 6}, {4, 0, 600, 5},
        {5, 0, 600, 4}, {6, 0, 600, 4},
        {0, 50, 600, 6},   // 50 * 72 / 600 = 6.0
        {0, 25, 300, 6},   // 6.0 exactly
        {0, 27, 300, 6},   // 6.48 rounds down
        {0, 28, 300, 7},   // 6.72 rounds up
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

    LeftMargin = 100;
    RightMargin = 50;
    PreviewCharWidth = 7;
    CharsPerLine = 84;
    EXPECT_EQ(PreviewPageWidth(), 7 * 84 + 108);
}

TEST_F(PrintLayoutTest, PagePlanWithAndWithoutFooter) {
    CharsPerLine = 80;
    TopMargin = 50;
    BottomMargin = 60;
    LeftMargin = 125;
    // Printer at 600 dpi with offsets of 0.25 inch, default font (100 units).
    PagePlan p = PlanPage(600, 600, 1100, 25, 25, 100, false);
    EXPECT_EQ(p.x0, 600);
    EXPECT_EQ(p.y0, 150);
    EXPECT_EQ(p.bottom, 6090);
    EXPECT_EQ(p.pitch, 100);
    EXPECT_EQ(p.lines, 59);
    EXPECT_TRUE(p.drawable);
    // The footer takes one font height above the bottom margin and one pitch.
    p = PlanPage(600, 600, 1100, 25, 25, 100, true);
    EXPECT_EQ(p.footerTop, 5990);
    EXPECT_EQ(p.lines, (5990 - 100 - 150) / 100);

    // Preview at 72 dpi: font height 12, 1.5 spacing with 9 points.
    p = PlanPage(72, 72, 1100, 0, 0, 12, true);
    EXPECT_EQ(p.pitch, 12);
    EXPECT_EQ(p.x0, 90);
    EXPECT_EQ(p.y0, 36);
    EXPECT_EQ(p.bottom, 748);
    PrintSpacing = 3;
    EXPECT_EQ(PlanPage(72, 72, 1100, 0, 0, 9, true).pitch, 13);

    // Nothing is drawn on a page too short, a line too narrow, or no room.
    PrintSpacing = 2;
    EXPECT_FALSE(PlanPage(72, 72, 400, 0, 0, 12, false).drawable);  // Y = 244
    EXPECT_TRUE(PlanPage(72, 72, 416, 0, 0, 12, false).drawable);   // Y = 256
    CharsPerLine = 2;
    EXPECT_FALSE(PlanPage(72, 72, 1100, 0, 0, 12, false).drawable);
    CharsPerLine = 80;
    EXPECT_FALSE(PlanPage(72, 72, 1100, 0, 0, 800, false).drawable);
}

TEST_F(PrintLayoutTest, PageCountsOfTextHexAndChar) {
    struct Case {
        uint16_t mode;
        int32_t lines;      // NumLines (text) or unused
        uint32_t bytes;     // NumBytes (hex, char)
        int32_t perPage;
        int32_t pages;
    } cases[] = {
        {_TEXT_, 0, 0, 55, 1},        {_TEXT_, 0, 0, 1, 1},       {_TEXT_, 1000, 0, 55, 19},  {_TEXT_, 990, 0, 55, 18},
        {_TEXT_, 991, 0, 55, 19},     {_HEX_, 0, 4096, 40, 7},    {_HEX_, 0, 0, 40, 1},
        {_HEX_, 0, 640, 40, 1},       {_CHAR_, 0, 4096, 40, 2},   {_CHAR_, 0, 2561, 40, 2},
        {_HEX_, 0, 0x7FFFFFFF, 1, 134217728},
    };
    for (const Case& c : cases) {
        ShowMode = c.mode;
        NumLines = c.lines;
        NumBytes = c.bytes;
        EXPECT_EQ(CountPages(c.perPage), c.pages) << c.mode << " " << c.lines << " " << c.bytes;
    }
    ShowMode = _CHAR_;
    EXPECT_EQ(PrintRowBytes(), 64);
    ShowMode = _HEX_;
    EXPECT_EQ(PrintRowBytes(), 16);
    CharsPerLine = 80;
    PrintLineNums = 2;
    EXPECT_EQ(PrintTextCols(), 74);
}

// Printed pages number the lines through the whole print: the counter runs
// on across pages, a wrapped continuation gets blanks, and a number wider
// than the digits keeps its last digits.
TEST_F(PrintLayoutTest, LineNumbersRunAcrossPages) {
    std::string text;
    for (int i = 1; i <= 1500; ++i) text += (i > 1 ? "\r\nline " : "line ") + std::to_string(i);
    Load(text);
    LineCounter = 1;
    const int32_t perPage = 55;
    CaptureSink sink;
    for (int32_t page = 0; page < CountPages(perPage); ++page)
        BuildTextRows(perPage, 20, 1 + page * perPage, 1, 2, 0, sink);
    ASSERT_EQ(sink.rows.size(), 1500u);
    EXPECT_EQ(sink.rows[0].text.substr(0, 12), "001:  line 1");
    EXPECT_EQ(sink.rows[55].text.substr(0, 13), "056:  line 56");
    EXPECT_EQ(sink.rows[1499].text.substr(0, 15), "500:  line 1500");
    EXPECT_EQ(CountPages(perPage) * perPage - 1500, 40);  // last page: 15 lines

    WrapFlag = 8;
    ScreenCols = 6;
    Load("abcdefghij\r\nk");
    LineCounter = 1;
    CaptureSink wrapped;
    BuildTextRows(10, 13, 1, 1, 2, 0, wrapped);
    ASSERT_EQ(wrapped.rows.size(), 3u);
    EXPECT_EQ(wrapped.rows[0].text, "001:  abcdef ");
    EXPECT_EQ(wrapped.rows[1].text, "      ghij   ");
    EXPECT_EQ(wrapped.rows[2].text, "002:  k      ");
}

}  // namespace
