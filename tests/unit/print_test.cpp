// Printing without a printer: the footer's expansion, the margin fields and the sample.
#include <gtest/gtest.h>

#include "document/document.h"
#include "print/footer.h"
#include "print/page_layout.h"
#include "print/print_settings.h"
#include "print/print_choices.h"

namespace {

ClockTime Clock = {2026, 12, 7, 0, 5};
ClockTime Now() { return Clock; }

// A % before a TAB ends the part; a part is cut at 255 characters.
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
        {"a%\tb%\t%", 1, "b%"},
        {longPart.c_str(), 0, x200 + file + file + file + file + "C:\\"},
    };
    char out[FooterPartMax + 1];
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " part " << c.index);
        const int32_t len = ExpandFooterPart(c.text, c.index, facts, out);
        EXPECT_EQ(out, c.want);
        EXPECT_EQ(len, static_cast<int32_t>(c.want.size()));
    }
    Clock.hour = 12;  // noon is pm
    ExpandFooterPart("%t", 0, facts, out);
    EXPECT_STREQ(out, "12:05 pm");
    ExpandFooterPart("[%F%f]", 0, {nullptr, nullptr, {2004, 5, 20, 13, 7}, Now, 1, 1}, out);
    EXPECT_STREQ(out, "[]");
    char parts[3][4];  // the centre part lies before the left: one cut too late would overwrite it
    SplitFooter("L\tR\tcentre", parts[1], parts[2], parts[0], 4);
    EXPECT_STREQ(parts[0], "cen");
}

// A face with no width at any size: hex rows never fit, so the width is narrowed down to 1.
TEST(PrintFont, NarrowedToOneWhenNoWidthFits) {
    struct NoWidth final : FontMeasure {
        int32_t CellWidth(int32_t) override { return 0; }
    } none;
    ShowMode = _HEX_;
    PrintCpi = 0;
    const int32_t width = FitPrintFont(none);
    EXPECT_EQ(width, 1);
}

TEST(PrintChoices, MarginFieldsAndSample) {
    // At most six characters and three decimals are read.
    const std::pair<const char*, int32_t> parses[] = {
        {".5", 50},   {"0.755", 76}, {"0.754", 75}, {"1234567", 12345600},
        {"19", 1900}, {"1,5", 100},  // not a decimal point
    };
    for (auto [text, value] : parses) EXPECT_EQ(ParseMargin(text), value) << text;
    // Up and right raise top and right; down and left the others; a step is 0.05 inch.
    EXPECT_EQ(StepMargin(MarginRight, 100, -1), 95);
    EXPECT_EQ(StepMargin(MarginLeft, 100, 2), 95);
    EXPECT_EQ(LimitMargin(500, 25), 333);
    EXPECT_EQ(LimitMargin(10, 25), 25);
    const std::pair<int32_t, const char*> forms[] = {{125, "1.25"}, {5, "0.05"}, {-5, "0.00"}};
    for (auto [value, text] : forms) {
        char out[16];
        FormatMargin(value, out);
        EXPECT_STREQ(out, text);
    }
    EXPECT_STREQ(SampleText(1, 0), "Line 1 ...");
    const int32_t widths[][2] = {{0, 0}, {1, 9}, {6, 3}, {7, 0}};  // cpi choice, width
    for (const auto& w : widths) EXPECT_EQ(SampleFontWidth(w[0]), w[1]) << "choice " << w[0];
    EXPECT_EQ(SampleSecondLineY(10, 3), 19);
}

}  // namespace
