// The font dialog's size texts and preselection, the stored font choice and
// the colour commands.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/settings.h"
#include "appearance/appearance.h"
#include "appearance/font_sizes.h"

TEST(SizeText, FormatAndReadBack) {
    constexpr int H = -1;  // the width of a TrueType height, which stands alone
    const struct { int height, width; const char* text; } made[] = {  // "": not offered
        {12, 8, "12 x  8"}, {9, 5, " 9 x  5"}, {16, 12, "16 x 12"}, {99, 0, "99 x  0"}, {1, 8, " 1 x  8"}, {100, 8, ""},
        {12, 100, ""}, {0, 8, ""}, {-1, 8, ""}, {8, H, " 8"}, {20, H, "20"}, {1, H, " 1"}, {99, H, "99"}, {0, H, ""},
        {100, H, ""}};
    for (const auto& c : made) {
        char text[SizeTextSize] = "ZZZZZZZ";
        const bool ok = c.width == H ? FormatHeightText(c.height, text) : FormatRasterSize(c.height, c.width, text);
        EXPECT_EQ(ok, c.text[0] != '\0') << c.height << " x " << c.width;
        EXPECT_STREQ(text, c.text);
        if (!ok) continue;
        EXPECT_EQ(SizeTextHeight(text), c.height) << text;
        EXPECT_EQ(SizeTextWidth(text), c.width == H ? 0 : c.width) << text;
    }
    // Blanks, and characters missing at the end, read as 0.
    const std::pair<const char*, std::pair<int, int>> read[] = {
        {"", {0, 0}}, {" ", {0, 0}}, {"7", {70, 0}}, {"  x  ", {0, 0}}, {"12 x 3", {12, 30}}, {"12 x", {12, 0}}};
    for (const auto& [text, size] : read)
        EXPECT_EQ((std::make_pair<int, int>(SizeTextHeight(text), SizeTextWidth(text))), size) << '"' << text << '"';
}

TEST(SizeText, Preselection) {
    const std::pair<int, int> heights[] = {{-5, 0}, {7, 0}, {8, 0}, {12, 4}, {13, 4}, {15, 5}, {19, 7}, {20, 8}, {30, 8}};
    for (const auto& [fontHeight, index] : heights) EXPECT_EQ(TrueTypeSizeIndex(fontHeight), index) << fontHeight;
    const char* with[] = {" 8 x  8", "12 x  6", "12 x  8", "16 x  8"};
    const char* without[] = {" 8 x  8", "12 x 80", "12 x  8 ", "12x8"};
    EXPECT_EQ(RasterSizeIndex(with, 4), 2);
    EXPECT_EQ(RasterSizeIndex(with, 2), 0) << "only the entries counted";
    EXPECT_EQ(RasterSizeIndex(without, 4), 0);
    EXPECT_EQ(RasterSizeIndex(with, 0), -1);
}

TEST(FontChoice, OkStoresAtMostThirtyOneCharactersOfTheFaceAndARasterWidth) {
    StoreFontChoice(std::string(40, 'F').c_str(), " 9 x  5", false);
    EXPECT_EQ(FontName, std::string(31, 'F'));
    EXPECT_EQ((std::vector<int>{FontHeight, FontWidth}), (std::vector<int>{9, 5}));
    StoreFontChoice("Arial", "14", true);
    EXPECT_EQ((std::vector<int>{FontHeight, FontWidth}), (std::vector<int>{14, 0}));
    DefaultSettings();
}

TEST(Colours, CommandsAndCustomColours) {
    uint32_t* const fields[] = {nullptr, &TextColor, &BkColor, &MarkTextColor, &MarkBkColor, nullptr};  // of 315..320
    for (int i = 0; i < 6; ++i) EXPECT_EQ(CommandColor(315 + i), fields[i]) << 315 + i;
    // As the colour dialog first offers them, 0x00BBGGRR.
    const uint32_t offered[CustColorCount] = {0xC0FFFF, 0xC0C0C0, 0x808080, 0x000000, 0xFF00FF, 0x0000FF,
                                              0x800080, 0x000080, 0x00FFFF, 0x008080, 0x00FF00, 0x008000,
                                              0xFFFF00, 0x808000, 0xFF0000, 0x800000};
    for (int i = 0; i < CustColorCount; ++i) EXPECT_EQ(CustColors[i], offered[i]) << i;
}
