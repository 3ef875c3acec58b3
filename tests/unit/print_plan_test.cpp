// The one page plan made at the printer's resolution and its positions on
// the preview's 72-dpi picture; the margin limit of stored settings.
#include <gtest/gtest.h>

#include <string>

#include "app/settings.h"
#include "print/page_layout.h"
#include "print/print_settings.h"

namespace {

// {v, printer dpi, printer offset, dpi, offset} -> device position. Worked by hand:
// inches = v / printer dpi + (printer offset - offset) / 100, times dpi, truncated.
TEST(PrintPlan, PrinterPositionsOnOtherDevices) {
    const struct Case {
        const char* name;
        int32_t v, printerDpi, printerOffset, dpi, offset, expect;
    } cases[] = {
        {"the printer itself", 150, 600, 25, 600, 25, 150},
        {"0.25 + 0.25 inch on the preview", 150, 600, 25, 72, 0, 36},
        {"5.5 inches at 300 dpi", 1650, 300, 0, 72, 0, 396},
        {"0.12 pixel truncated", 1, 600, 0, 72, 0, 0},
        {"a device whose origin lies further in", 0, 600, 0, 600, 25, -150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlanToDevice(c.v, c.printerDpi, c.printerOffset, c.dpi, c.offset), c.expect);
    }
}

// An A4 page at 300 dpi (2479 x 3508, no offsets), margins top and bottom
// 0.55, footer on. 11 points at 1 1/2 spacing: font 11 * 300 / 72 = 45, pitch
// 3 * 45 / 2 = 67, y0 = 55 * 3 = 165, bottom (1169 - 55) * 3 = 3342, footer
// 3342 - 45 = 3297, text to 3230: (3230 - 165) / 67 = 45 lines. (Worked at
// 72 dpi on its own the page would hold (775 - 39) / 16 = 46.) The 45th line
// starts at 165 + 44 * 67 = 3113, on the preview 3113 * 72 / 300 = 747, above
// the footer's 3297 * 72 / 300 = 791.
TEST(PrintPlan, OnePlanServesThePrinterAndThePreview) {
    PortraitMargins = {100, 55, 50, 55};
    TakePrinterMetrics({300, 300, 2479, 3508, 0, 0, 2479, 3508});
    PrintSize = 3, PrintSpacing = 3, CharsPerLine = 80;
    PrintFontHeight = PrintHeightUnits();
    const PagePlan plan = PlanPrintedPage(true);
    EXPECT_EQ(
        (std::vector<int32_t>{PrintFontHeight, plan.pitch, plan.y0, plan.footerTop, plan.lines}),
        (std::vector<int32_t>{45, 67, 165, 3297, 45}));
    EXPECT_EQ(PlanToDevice(plan.y0 + 44 * plan.pitch, LogPixelsY, MinTop, 72, 0), 747);
    EXPECT_EQ(PlanToDevice(plan.footerTop, LogPixelsY, MinTop, 72, 0), 791);
    PrintSize = 4, PrintSpacing = 2;
}

// A stored margin of more than 3.33 inches is none the preview can set: the
// set it belongs to falls back to the defaults.
TEST(PrintPlan, StoredMarginsBeyondTheLimitAreNotTaken) {
    PortraitMargins = {333, 10, 20, 30};
    LandscapeMargins = {10, 334, 20, 30};
    uint8_t block[SettingsSize];
    PackSettings(block);
    PortraitMargins = LandscapeMargins = {0, 0, 0, 0};
    UnpackSettings(block);
    EXPECT_EQ((std::vector<int32_t>{PortraitMargins.left, PortraitMargins.top,
                                    LandscapeMargins.left, LandscapeMargins.top}),
              (std::vector<int32_t>{333, 10, 55, 100}));
}

}  // namespace
