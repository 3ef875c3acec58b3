// The footer's expansion and placement, the footer dialog's split and join,
// the margin fields and the print properties' sample.
#include <gtest/gtest.h>

#include <string>

#include "print/footer.h"
#include "print/print_choices.h"

namespace {

int NowCalls = 0;
ClockTime Now() { return ++NowCalls, ClockTime{2026, 12, 7, 0, 5}; }

const FooterFacts Facts = {"C:\\DATA\\A.TXT", "A.TXT", {2004, 5, 20, 13, 7}, Now, 2, 7};

std::string Part(const char* text, int index, const FooterFacts& facts = Facts) {
    char out[FooterPartMax + 1];
    const int32_t len = ExpandFooterPart(text, index, facts, out);
    EXPECT_EQ(static_cast<size_t>(len), std::string(out).size());
    return out;
}

TEST(Footer, PartsParametersAndSequencesAsTyped) {
    const std::string longPart = std::string(200, 'x') + "%F%F%F%F%F%F%F%F%F%F";
    struct Case { const char* text; int index; std::string expect; } cases[] = {
        {DefaultFooterText, 0, "C:\\DATA\\A.TXT"}, {DefaultFooterText, 1, "Page 2 of 7"},
        {DefaultFooterText, 2, "05/20/2004  1:07 pm"},
        {"%f|%F", 0, "A.TXT|C:\\DATA\\A.TXT"}, {"%d %t", 0, "12/07/2026 12:05 am"}, {"%p/%n", 0, "2/7"},
        {"100%", 0, "100%"}, {"%%", 0, "%%"}, {"%z%", 0, "%z%"},
        {"a%\tb%\t%", 1, "b%"},  // a trailing % before a TAB, the part still ends
        {"a%\tb%\t%", 2, "%"},
        {"only", 1, ""},  // fewer than two TABs: the missing parts are empty
        {"only\tright", 2, ""}, {"\t\t%p", 2, "2"},
        // an expanded part is cut at 255 characters
        {longPart.c_str(), 0,
         std::string(200, 'x') + "C:\\DATA\\A.TXTC:\\DATA\\A.TXTC:\\DATA\\A.TXTC:\\DATA\\A.TXTC:\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(Part(c.text, c.index), c.expect) << c.text << " #" << c.index;

    NowCalls = 0;
    Part("%d%t%d", 0);
    EXPECT_EQ(NowCalls, 3);  // the clock is read at each expansion
    const FooterFacts none = {nullptr, nullptr, {2004, 5, 20, 13, 7}, Now, 1, 1};
    EXPECT_EQ(Part("[%F%f]", 0, none), "[]");
}

TEST(Footer, TwelveHourClockAndDate) {
    struct Case { uint16_t hour, minute; const char* expect; } cases[] = {
        {0, 0, "12:00 am"},   {0, 5, "12:05 am"}, {11, 59, "11:59 am"}, {12, 0, "12:00 pm"},
        {12, 59, "12:59 pm"}, {13, 0, "1:00 pm"}, {23, 59, "11:59 pm"}};
    char out[16];
    for (const Case& c : cases) {
        FormatFooterTime({2004, 1, 1, c.hour, c.minute}, out);
        EXPECT_STREQ(out, c.expect);
    }
    FormatFooterDate({987, 1, 2, 0, 0}, out);
    EXPECT_STREQ(out, "01/02/ 987");
}

TEST(Footer, Placement) {
    struct Case { int32_t cx[3], x[3]; bool drawn[3]; } cases[] = {
        // centred in the room between the left part's end and the right's start
        {{100, 60, 40}, {10, 950, 510}, {true, true, true}},
        // both sides empty: centred on the whole line
        {{0, 0, 40}, {10, 1010, 490}, {true, true, true}},
        // a right part wider than the line is not drawn but still bounds the room
        {{100, 1200, 40}, {10, -190, -60}, {true, false, true}},
        // a part exactly as wide as the line is not drawn
        {{1000, 0, 1000}, {10, 1010, 510}, {false, true, false}},
    };
    for (const Case& c : cases) {
        const FooterPlacement f = PlaceFooter(c.cx, 10, 1000);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(f.x[i], c.x[i]) << c.cx[0] << " part " << i;
            EXPECT_EQ(f.drawn[i], c.drawn[i]) << c.cx[0] << " part " << i;
        }
    }
}

TEST(Footer, DialogSplitAndJoin) {
    char left[127], right[127], centre[127], cut[4];
    SplitFooter(DefaultFooterText, left, right, centre, sizeof left);
    EXPECT_EQ(std::string(left) + "|" + right + "|" + centre, "%F|Page %p of %n|%D  %T");
    SplitFooter("just left", left, right, centre, sizeof left);
    EXPECT_EQ(std::string(left) + "|" + right + "|" + centre, "just left||");
    SplitFooter("abcdef\tg", cut, right, centre, sizeof cut);  // each part cut to size - 1
    EXPECT_EQ(std::string(cut) + "|" + right, "abc|g");

    const std::string l(62, 'l'), r(62, 'r'), c(62, 'c');
    struct Case { std::string left, right, centre, expect; } cases[] = {
        {"%F", "Page %p of %n", "%D  %T", DefaultFooterText},
        {l, r, c, l + "\t" + r + "\t"},  // three full edits: both TABs stay, 126 characters
        {"ab", r, c, "ab\t" + r + "\t" + c.substr(0, 60)},
        {std::string(80, 'l'), "", "", l + "\t\t"},
    };
    char out[FooterTextMax + 1];
    for (const Case& k : cases) {
        JoinFooter(k.left.c_str(), k.right.c_str(), k.centre.c_str(), out);
        EXPECT_EQ(std::string(out), k.expect) << k.left;
    }
}

TEST(MarginField, TypingArrowsLimitsAndForm) {
    struct Parse { const char* text; int32_t value; } parses[] = {
        {"1", 100},    {".5", 50},  {"0.755", 76}, {"0.754", 75}, {"5", 500},   {"1.25", 125},
        {"2.", 200},   {"0.4x", 40}, {"abc", 0},   {"", 0},       {"9.99", 999}, {"0.09", 9},
        {"0.1234567", 12},      // a fourth decimal is ignored
        {"1234567", 12345600},  // at most six characters are read
        {"1234.56", 123450},    // the sixth character is the last read
    };
    for (const Parse& p : parses) EXPECT_EQ(ParseMargin(p.text), p.value) << p.text;

    struct Step { MarginSide side; int delta; int32_t expect; } steps[] = {
        {MarginTop, -1, 95},    {MarginTop, 1, 105},    // up, down
        {MarginBottom, -3, 105}, {MarginBottom, 1, 95},
        {MarginLeft, -1, 105},  {MarginLeft, 2, 95},    // right, left
        {MarginRight, -1, 95},  {MarginRight, 1, 105},  {MarginTop, 0, 100},
    };
    for (const Step& s : steps) EXPECT_EQ(StepMargin(s.side, 100, s.delta), s.expect) << s.side << s.delta;

    EXPECT_EQ(LimitMargin(500, 25), 333);
    EXPECT_EQ(LimitMargin(10, 25), 25);
    EXPECT_EQ(LimitMargin(-5, 0), 0);
    EXPECT_EQ(LimitMargin(200, 25), 200);

    struct Form { int32_t value; const char* text; } forms[] = {
        {55, "0.55"}, {125, "1.25"}, {5, "0.05"}, {0, "0.00"}, {333, "3.33"}, {-5, "0.00"}};
    char out[16];
    for (const Form& f : forms) {
        FormatMargin(f.value, out);
        EXPECT_STREQ(out, f.text);
    }
}

TEST(PrintSample, TextsWidthsAndSpacing) {
    EXPECT_STREQ(SampleText(1, 0), "Line 1 ...");
    EXPECT_STREQ(SampleText(2, 0), "Line 2 ...");
    EXPECT_STREQ(SampleText(1, 1), "01:  Line 1 ...");
    EXPECT_STREQ(SampleText(1, 2), "001:  Line 1 ...");
    EXPECT_STREQ(SampleText(2, 4), "00002:  Line 2 ...");
    const int32_t widths[] = {0, 9, 7, 6, 4, 4, 3, 0};  // and past the last choice
    for (int i = 0; i < 8; ++i) EXPECT_EQ(SampleFontWidth(i), widths[i]) << i;
    EXPECT_EQ(SampleSecondLineY(12, 2), 16);
    EXPECT_EQ(SampleSecondLineY(10, 3), 19);
    EXPECT_EQ(SampleSecondLineY(9, 4), 22);
}

}  // namespace
