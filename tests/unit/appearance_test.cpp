#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/settings.h"
#include "appearance/appearance.h"
#include "appearance/font_sizes.h"

namespace {

class FontChoice : public ::testing::Test {
protected:
    void SetUp() override { DefaultSettings(); }
    void TearDown() override { DefaultSettings(); }
};

}  // namespace

TEST(SizeText, RasterSizesFormatAndReadBack) {
    const struct {
        int height, width;
        const char* text;
    } cases[] = {
        {12, 8, "12 x  8"}, {9, 5, " 9 x  5"}, {16, 12, "16 x 12"}, {99, 0, "99 x  0"},
        {100, 8, ""},       {12, 100, ""},     {0, 8, ""},          {-1, 8, ""},
    };
    for (const auto& c : cases) {
        char text[SizeTextSize];
        std::memset(text, 'Z', sizeof text);
        EXPECT_EQ(FormatRasterSize(c.height, c.width, text), c.text[0] != '\0') << c.text;
        EXPECT_STREQ(text, c.text);
        if (!c.text[0]) continue;
        EXPECT_EQ(SizeTextHeight(text), c.height) << text;
        EXPECT_EQ(SizeTextWidth(text), c.width) << text;
    }
}

TEST(SizeText, TrueTypeHeightsAreTwoCharacters) {
    const char* expected[TrueTypeHeightCount] = {" 8", " 9", "10", "11", "12",
                                                 "14", "16", "18", "20"};
    for (int i = 0; i < TrueTypeHeightCount; ++i) {
        char text[SizeTextSize];
        ASSERT_TRUE(FormatHeightText(TrueTypeHeights[i], text));
        EXPECT_STREQ(text, expected[i]);
        EXPECT_EQ(SizeTextHeight(text), TrueTypeHeights[i]);
        EXPECT_EQ(SizeTextWidth(text), 0) << "a height alone has no width";
    }
    char text[SizeTextSize];
    EXPECT_FALSE(FormatHeightText(0, text));
    EXPECT_FALSE(FormatHeightText(100, text));
}

TEST(SizeText, BlanksAndShortTextsReadAsZero) {
    const struct {
        const char* text;
        int height, width;
    } cases[] = {
        {"", 0, 0}, {" ", 0, 0}, {"7", 70, 0}, {"  x  ", 0, 0}, {"12 x 3", 12, 30}, {"12 x", 12, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizeTextHeight(c.text), c.height) << '"' << c.text << '"';
        EXPECT_EQ(SizeTextWidth(c.text), c.width) << '"' << c.text << '"';
    }
}

TEST(SizePreselection, TrueTypeTakesTheLastHeightNotAbove) {
    const struct {
        int fontHeight, height;
    } cases[] = {{-5, 8}, {0, 8}, {7, 8}, {8, 8}, {12, 12}, {13, 12}, {15, 14},
                 {19, 18}, {20, 20}, {30, 20}};
    for (const auto& c : cases)
        EXPECT_EQ(TrueTypeHeights[TrueTypeSizeIndex(c.fontHeight)], c.height) << c.fontHeight;
}

TEST(SizePreselection, RasterTakesTwelveByEightElseTheFirst) {
    const char* with[] = {" 8 x  8", "12 x  6", "12 x  8", "16 x  8"};
    const char* without[] = {" 8 x  8", "12 x  6", "12 x 80", "16 x  8"};
    const char* nearly[] = {"12 x  8 ", "12x8"};
    EXPECT_EQ(RasterSizeIndex(with, 4), 2);
    EXPECT_EQ(RasterSizeIndex(without, 4), 0);
    EXPECT_EQ(RasterSizeIndex(nearly, 2), 0);
    EXPECT_EQ(RasterSizeIndex(with, 0), -1);
}

TEST_F(FontChoice, OkStoresFaceHeightAndWidth) {
    StoreFontChoice("Courier New", "12", true);
    EXPECT_STREQ(FontName, "Courier New");
    EXPECT_EQ(FontHeight, 12);
    EXPECT_EQ(FontWidth, 0);

    StoreFontChoice("Terminal", " 9 x  5", false);
    EXPECT_STREQ(FontName, "Terminal");
    EXPECT_EQ(FontHeight, 9);
    EXPECT_EQ(FontWidth, 5);

    const std::string longName(40, 'F');
    StoreFontChoice(longName.c_str(), "20", true);
    EXPECT_EQ(std::string(FontName), longName.substr(0, 31));
    EXPECT_EQ(FontHeight, 20);
}

TEST(Colours, CommandsChangeTheirOwnColour) {
    EXPECT_EQ(CommandColor(316), &TextColor);
    EXPECT_EQ(CommandColor(317), &BkColor);
    EXPECT_EQ(CommandColor(318), &MarkTextColor);
    EXPECT_EQ(CommandColor(319), &MarkBkColor);
    EXPECT_EQ(CommandColor(315), nullptr);
    EXPECT_EQ(CommandColor(320), nullptr);
}

TEST(Colours, CustomColoursStartAsTheDialogOffersThem) {
    // (red, green, blue) as COLORREF 0x00BBGGRR.
    const uint32_t expected[CustColorCount] = {
        0xC0FFFF, 0xC0C0C0, 0x808080, 0x000000, 0xFF00FF, 0x0000FF, 0x800080, 0x000080,
        0x00FFFF, 0x008080, 0x00FF00, 0x008000, 0xFFFF00, 0x808000, 0xFF0000, 0x800000};
    for (int i = 0; i < CustColorCount; ++i) EXPECT_EQ(CustColors[i], expected[i]) << i;
}
