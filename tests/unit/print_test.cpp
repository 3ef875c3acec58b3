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
        PrintSize = 4;
        PrintCpi = 0;
        PrintSpacing = 2;
        PrintLineNums = 0;
        TakePrinterMetrics({600, 600, 5100, 6600, 150, 150, 4800, 6000});
    }
};

std::string Metrics() {
    return std::to_string(LogPixelsX) + "x" + std::to_string(LogPixelsY) + " dpi, page " +
           std::to_string(PageWidth) + "x" + std::to_string(PageHeight) + ", strips " +
           std::to_string(MinLeft) + " " + std::to_string(MinTop) + " " + std::to_string(MinRight) +
           " " + std::to_string(MinBottom) + ", margins " + std::to_string(LeftMargin) + " " +
           std::to_string(TopMargin) + " " + std::to_string(RightMargin) + " " +
           std::to_string(BottomMargin);
}

// The largest page (square: landscape) is taken; strips of 0.60 inch at the top and 0.75 at the
// right raise those margins. Lengths in hundredths of an inch.
TEST_F(PrintLayout, MetricsAndMarginsFromTheDeviceCaps) {
    const struct {
        const char* what;
        DeviceCaps caps;
        const char* want;
    } cases[] = {
        {"the largest page, square: landscape",
         {1, 1, 1000, 1000, 0, 0, 1000, 1000},
         "1x1 dpi, page 100000x100000, strips 0 0 0 0, margins 55 100 55 50"},
        // Printable 765 of 850 from 10: 75 on the right; 1000 of 1100 from 60: 40 below.
        {"strips raise the margins",
         {100, 100, 850, 1100, 10, 60, 765, 1000},
         "100x100 dpi, page 850x1100, strips 10 60 75 40, margins 100 60 75 55"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TakePrinterMetrics(c.caps);
        EXPECT_EQ(Metrics(), c.want);
    }
    // Reports without a resolution, or of a page no printer has, leave the metrics alone.
    const std::string before = Metrics();
    const struct {
        const char* what;
        DeviceCaps caps;
    } bad[] = {
        {"no resolution", {0, 300, 1, 1, 0, 0, 1, 1}},
        {"a negative offset", {300, 300, 2479, 3508, -50, 50, 2379, 3408}},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.what);
        TakePrinterMetrics(c.caps);
        EXPECT_EQ(Metrics(), before);
    }
}

std::string Plan(const PagePlan& p) {
    return "at " + std::to_string(p.x0) + "," + std::to_string(p.y0) + " bottom " +
           std::to_string(p.bottom) + " pitch " + std::to_string(p.pitch) + " footer " +
           std::to_string(p.footerTop) + " lines " + std::to_string(p.lines) +
           (p.drawable ? "" : " not drawn");
}

// Margins 1.25 inch left, 0.50 top, 0.60 bottom, 80 characters a line.
TEST_F(PrintLayout, PagePlans) {
    CharsPerLine = 80;
    TopMargin = 50;
    BottomMargin = 60;
    LeftMargin = 125;
    const struct {
        const char* what;
        int32_t dpi, height, offset, h;
        uint8_t spacing;
        bool footer;
        const char* want;
    } cases[] = {
        // 1.25 in at 600 dpi is 750, less the offset of 150: 600; 11 in less 0.60 is 6240 - 150.
        {"a printer with offsets of 0.25 inch", 600, 1100, 25, 100, 2, true,
         "at 600,150 bottom 6090 pitch 100 footer 5990 lines 57"},
        {"the preview with 1 1/2 spacing", 72, 1100, 0, 9, 3, true,
         "at 90,36 bottom 748 pitch 13 footer 739 lines 53"},
        {"no room for a line", 72, 1100, 0, 800, 2, false,
         "at 90,36 bottom 748 pitch 800 footer -52 lines 0 not drawn"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PrintSpacing = c.spacing;
        EXPECT_EQ(Plan(PlanPage(c.dpi, c.dpi, c.height, c.offset, c.offset, c.h, c.footer)),
                  c.want);
    }
    CharsPerLine = 3;  // the narrowest line drawn
    PrintSpacing = 2;
    EXPECT_TRUE(PlanPage(72, 72, 1100, 0, 0, 12, false).drawable);
    CharsPerLine = 2;
    EXPECT_FALSE(PlanPage(72, 72, 1100, 0, 0, 12, false).drawable);
}

// Text counts NumLines, hex NumBytes.
TEST_F(PrintLayout, PageCounts) {
    const struct {
        const char* what;
        uint16_t mode;
        int32_t lines;
        uint32_t bytes;
        int32_t perPage, pages;
    } cases[] = {
        {"an empty text: one page", _TEXT_, 0, 0, 55, 1},
        {"one line more", _TEXT_, 991, 0, 55, 19},
        {"no line a page: one a page", _TEXT_, 5, 0, 0, 5},
        {"the most bytes: 2^31 / 16", _HEX_, 0, 0x7FFFFFFF, 1, 134217728},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ShowMode = c.mode;
        NumLines = c.lines;
        NumBytes = c.bytes;
        EXPECT_EQ(CountPages(c.perPage), c.pages);
    }
}

int NowCalls = 0;
ClockTime Clock = {2026, 12, 7, 0, 5};
ClockTime Now() {
    ++NowCalls;
    return Clock;
}

// A % before a TAB ends the part; missing parts are empty; a part is cut at 255 characters.
TEST(Footer, PartsParametersAndSequencesAsTyped) {
    const FooterFacts facts = {"C:\\DATA\\A.TXT", "A.TXT", {2004, 5, 20, 13, 7}, Now, 2, 7};
    const std::string file = "C:\\DATA\\A.TXT", x200(200, 'x');
    const std::string longPart = x200 + "%F%F%F%F%F";
    const struct {
        const char* text;
        int index;
        std::string want;
    } cases[] = {
        {DefaultFooterText, 2, "05/20/2004  1:07 pm"},
        {"%d %t", 0, "12/07/2026 12:05 am"},
        {"100%", 0, "100%"},
        {"a%\tb%\t%", 1, "b%"},
        {"\t\t%p", 2, "2"},
        {longPart.c_str(), 0, x200 + file + file + file + file + "C:\\"},
    };
    char out[FooterPartMax + 1];
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " part " << c.index);
        const int32_t len = ExpandFooterPart(c.text, c.index, facts, out);
        EXPECT_EQ(out, c.want);
        EXPECT_EQ(len, static_cast<int32_t>(c.want.size()));
    }
    NowCalls = 0;
    ExpandFooterPart("%d%t%d", 0, facts, out);
    EXPECT_EQ(NowCalls, 3);  // the clock is read each time
    Clock.hour = 12;         // noon is pm
    ExpandFooterPart("%t", 0, facts, out);
    EXPECT_STREQ(out, "12:05 pm");
    ExpandFooterPart("[%F%f]", 0, {nullptr, nullptr, {2004, 5, 20, 13, 7}, Now, 1, 1}, out);
    EXPECT_STREQ(out, "[]");
}

TEST(PrintChoices, MarginFieldsAndSample) {
    // At most six characters and three decimals are read.
    const std::pair<const char*, int32_t> parses[] = {
        {".5", 50},
        {"0.755", 76},
        {"0.754", 75},
        {"1234567", 12345600},
    };
    for (auto [text, value] : parses) EXPECT_EQ(ParseMargin(text), value) << text;
    // Up and right raise top and right; down and left the others; a step is 0.05 inch.
    EXPECT_EQ(StepMargin(MarginRight, 100, -1), 95);
    EXPECT_EQ(StepMargin(MarginBottom, 100, -3), 105);
    EXPECT_EQ(StepMargin(MarginLeft, 100, 2), 95);
    EXPECT_EQ(LimitMargin(500, 25), 333);
    EXPECT_EQ(LimitMargin(10, 25), 25);
    EXPECT_EQ(LimitMargin(200, 25), 200);
    const std::pair<int32_t, const char*> forms[] = {{125, "1.25"}, {5, "0.05"}, {-5, "0.00"}};
    for (auto [value, text] : forms) {
        char out[16];
        FormatMargin(value, out);
        EXPECT_STREQ(out, text);
    }
    EXPECT_STREQ(SampleText(1, 0), "Line 1 ...");
    EXPECT_STREQ(SampleText(2, 9), "00002:  Line 2 ...");
    const int32_t widths[][2] = {{0, 0}, {1, 9}, {6, 3}, {7, 0}};  // cpi choice, width
    for (const auto& w : widths) EXPECT_EQ(SampleFontWidth(w[0]), w[1]) << "choice " << w[0];
    EXPECT_EQ(SampleSecondLineY(10, 3), 19);
    EXPECT_EQ(SampleSecondLineY(9, 4), 22);
}

}  // namespace
