// One page plan, made at the printer's resolution, placed on the preview.
#include <gtest/gtest.h>

#include "print/page_layout.h"
#include "print/print_settings.h"

namespace {

// An A4 page at 300 dpi (2479 x 3508, no offsets), margins top and bottom
// 0.55, footer on. 11 points at 1 1/2 spacing: font 11 * 300 / 72 = 45, pitch
// 3 * 45 / 2 = 67, y0 = 55 * 3 = 165, bottom (1169 - 55) * 3 = 3342, footer
// 3342 - 45 = 3297, text to 3230: (3230 - 165) / 67 = 45 lines (worked at 72
// dpi on its own the page would hold (775 - 39) / 16 = 46). On the preview
// line 45 starts at (165 + 44 * 67) * 72 / 300 = 747, the footer at 3297 * 72
// / 300 = 791; on a device 0.25 inch in from the paper, line 1 at 0.55 - 0.25
// = 0.30 inch, 90 at 300 dpi.
TEST(PrintPlan, OnePlanServesThePrinterAndThePreview) {
    PortraitMargins = {100, 55, 50, 55};
    TakePrinterMetrics({300, 300, 2479, 3508, 0, 0, 2479, 3508});
    PrintSize = 3, PrintSpacing = 3, CharsPerLine = 80;
    PrintFontHeight = PrintHeightUnits();
    const PagePlan plan = PlanPrintedPage(true);
    PrintSize = 4, PrintSpacing = 2;
    EXPECT_EQ((std::vector<int32_t>{PrintFontHeight, plan.pitch, plan.footerTop, plan.lines,
                                    PlanToDevice(plan.y0 + 44 * plan.pitch, 300, 0, 72, 0),
                                    PlanToDevice(plan.footerTop, 300, 0, 72, 0),
                                    PlanToDevice(plan.y0, 300, 0, 300, 25)}),
              (std::vector<int32_t>{45, 67, 3297, 45, 747, 791, 90}));
}

}  // namespace
