// Printing without a printer: page arithmetic, the footer's expansion, the margin fields and the
// sample.
#include <gtest/gtest.h>

#include "doc_fixture.h"
#include "print/footer.h"
#include "print/page_layout.h"
#include "print/print_choices.h"
#include "print/print_settings.h"

namespace {

// Print choices and metrics at their defaults: a letter page at 600 dpi with strips of 0.25 inch.
class PrintLayout : public DocTest {
  protected:
    void SetUp() override {
        DocTest::SetUp();
        PortraitMargins = {100, 55, 50, 55};
        LandscapeMargins = {55, 100, 55, 50};
        PrintSize = 4, PrintCpi = 0, PrintSpacing = 2, PrintLineNums = 0;
        TakePrinterMetrics({600, 600, 5100, 6600, 150, 150, 4800, 6000});
    }
};

// {caps} -> {dpi x and y, page width and height, the four strips, the four margins}: the finest
// resolution and the largest page (square: landscape) are taken; strips of 0.60 inch at the top and
// 0.75 at the right raise those margins. Reports without a resolution, or of a page no printer has,
// leave the metrics alone.
TEST_F(PrintLayout, MetricsAndMarginsFromTheDeviceCaps) {
    const struct Case {
        DeviceCaps caps;
        V expect;
    } cases[] = {
        {{100000, 100000, 850000, 1100000, 0, 0, 850000, 1100000},
         {100000, 100000, 850, 1100, 0, 0, 0, 0, 100, 55, 50, 55}},
        {{1, 1, 1000, 1000, 0, 0, 1000, 1000}, {1, 1, 100000, 100000, 0, 0, 0, 0, 55, 100, 55, 50}},
        {{100, 100, 850, 1100, 10, 60, 765, 1000},
         {100, 100, 850, 1100, 10, 60, 75, 40, 100, 60, 75, 55}}};
    for (const Case& c : cases) {
        TakePrinterMetrics(c.caps);
        EXPECT_EQ((V{LogPixelsX, LogPixelsY, PageWidth, PageHeight, MinLeft, MinTop, MinRight,
                     MinBottom, LeftMargin, TopMargin, RightMargin, BottomMargin}),
                  c.expect)
            << c.caps.physicalWidth;
    }
    const DeviceCaps bads[] = {{0, 300, 1, 1, 0, 0, 1, 1},
                               {100001, 300, 1, 1, 0, 0, 1, 1},
                               {1, 1, INT32_MAX, 2000, 0, 0, 1, 1},
                               {300, 300, 2479, 3508, -50, 50, 2379, 3408}};
    for (const DeviceCaps& bad : bads)
        EXPECT_EQ((TakePrinterMetrics(bad), V{PageWidth, MinLeft}), (V{850, 10}))
            << bad.logPixelsX << "," << bad.logPixelsY << "," << bad.physicalWidth;
}

// {dpi, page height, offset, font height, spacing, footer} -> {x0, y0, bottom, pitch, footerTop,
// lines, drawable}: a printer with offsets of 0.25 inch; the preview with 1 1/2 spacing; nothing
// drawn on a page too short or with no room for a line.
TEST_F(PrintLayout, PagePlansAndPageCounts) {
    CharsPerLine = 80, TopMargin = 50, BottomMargin = 60, LeftMargin = 125;
    const struct Case {
        int32_t dpi, height, offset, h;
        uint8_t spacing;
        bool footer;
        V expect;
    } cases[] = {{600, 1100, 25, 100, 2, true, {600, 150, 6090, 100, 5990, 57, 1}},
                 {72, 1100, 0, 9, 3, true, {90, 36, 748, 13, 739, 53, 1}},
                 {72, 400, 0, 12, 2, false, {90, 36, 244, 12, 232, 17, 0}},
                 {72, 1100, 0, 800, 2, false, {90, 36, 748, 800, -52, 0, 0}},
                 {72, 1100, 0, 0, 2, false, {90, 36, 748, 0, 748, 0, 0}}};
    for (const Case& c : cases) {
        const PagePlan p = (PrintSpacing = c.spacing,
                            PlanPage(c.dpi, c.dpi, c.height, c.offset, c.offset, c.h, c.footer));
        EXPECT_EQ((V{p.x0, p.y0, p.bottom, p.pitch, p.footerTop, p.lines, p.drawable}), c.expect)
            << c.dpi << " dpi, height " << c.height << ", h " << c.h
            << (c.footer ? ", footer" : "");
    }
    CharsPerLine = 3, PrintSpacing = 2;  // the narrowest line drawn
    EXPECT_TRUE(PlanPage(72, 72, 1100, 0, 0, 12, false).drawable);
    EXPECT_FALSE((CharsPerLine = 2, PlanPage(72, 72, 1100, 0, 0, 12, false)).drawable);
    // Text counts NumLines, hex NumBytes: {mode, lines, bytes, per page, pages}
    const struct Count {
        uint16_t mode;
        int32_t lines;
        uint32_t bytes;
        int32_t perPage, pages;
    } counts[] = {{_TEXT_, 0, 0, 55, 1},
                  {_TEXT_, 990, 0, 55, 18},
                  {_TEXT_, 991, 0, 55, 19},
                  {_TEXT_, 5, 0, 0, 5},
                  {_HEX_, 0, 0x7FFFFFFF, 1, 134217728}};
    for (const Count& c : counts)
        EXPECT_EQ(
            (ShowMode = c.mode, NumLines = c.lines, NumBytes = c.bytes, CountPages(c.perPage)),
            c.pages)
            << c.mode << " " << c.lines << " " << c.bytes << " " << c.perPage;
}

int NowCalls = 0;
ClockTime Now() { return ++NowCalls, ClockTime{2026, 12, 7, 0, 5}; }

TEST(Footer, PartsParametersAndSequencesAsTyped) {
    const FooterFacts facts = {"C:\\DATA\\A.TXT", "A.TXT", {2004, 5, 20, 13, 7}, Now, 2, 7};
    const std::string file = "C:\\DATA\\A.TXT", x200(200, 'x'), longPart = x200 + "%F%F%F%F%F";
    // A % before a TAB ends the part; missing parts are empty; a part is cut at 255 characters.
    const struct Case {
        const char* text;
        int index;
        std::string expect;
    } cases[] = {{DefaultFooterText, 2, "05/20/2004  1:07 pm"},
                 {"%d %t", 0, "12/07/2026 12:05 am"},
                 {"100%", 0, "100%"},
                 {"%%%z", 0, "%%%z"},
                 {"a%\tb%\t%", 1, "b%"},
                 {"only", 1, ""},
                 {"\t\t%p", 2, "2"},
                 {longPart.c_str(), 0, x200 + file + file + file + file + "C:\\"}};
    char out[FooterPartMax + 1];
    for (const Case& c : cases) {
        const int32_t len = ExpandFooterPart(c.text, c.index, facts, out);
        EXPECT_EQ(out + std::string("|") + std::to_string(len),
                  c.expect + "|" + std::to_string(c.expect.size()))
            << c.text << " #" << c.index;
    }
    EXPECT_EQ((NowCalls = 0, ExpandFooterPart("%d%t%d", 0, facts, out), NowCalls),
              3);  // the clock is read each time
    ExpandFooterPart("[%F%f]", 0, {nullptr, nullptr, {2004, 5, 20, 13, 7}, Now, 1, 1}, out);
    EXPECT_STREQ(out, "[]");
}

TEST(PrintChoices, MarginFieldsAndSample) {
    const std::pair<const char*, int32_t> parses[] = {
        // at most six characters and three decimals are read
        {".5", 50}, {"0.755", 76},         {"0.754", 75},      {"0.4x", 40},
        {"abc", 0}, {"1234567", 12345600}, {"1234.56", 123450}};
    for (auto [text, value] : parses) EXPECT_EQ(ParseMargin(text), value) << text;
    // Up and right raise top and right; down and left the others.
    EXPECT_EQ((V{StepMargin(MarginTop, 100, -1), StepMargin(MarginRight, 100, -1),
                 StepMargin(MarginBottom, 100, -3), StepMargin(MarginLeft, 100, 2),
                 StepMargin(MarginTop, 100, 0)}),
              (V{95, 95, 105, 95, 100}));
    EXPECT_EQ((V{LimitMargin(500, 25), LimitMargin(10, 25), LimitMargin(200, 25)}),
              (V{333, 25, 200}));
    auto form = [](int32_t value) {
        char out[16];
        return FormatMargin(value, out), std::string(out) + ",";
    };
    EXPECT_EQ(form(125) + form(5) + form(-5), "1.25,0.05,0.00,");
    EXPECT_EQ(std::string(SampleText(1, 0)) + "|" + SampleText(2, 1) + "|" + SampleText(1, 2) +
                  "|" + SampleText(2, 9),
              "Line 1 ...|02:  Line 2 ...|001:  Line 1 ...|00002:  Line 2 ...");
    EXPECT_EQ((V{SampleFontWidth(0), SampleFontWidth(1), SampleFontWidth(6), SampleFontWidth(7),
                 SampleSecondLineY(12, 2), SampleSecondLineY(10, 3), SampleSecondLineY(9, 4)}),
              (V{0, 9, 3, 0, 16, 19, 22}));
}

}  // namespace
