// The font dialog's size texts, the stored face and the colour commands.
#include <gtest/gtest.h>

#include "app/settings.h"
#include "appearance/appearance.h"
#include "appearance/font_sizes.h"

TEST(Appearance, SizeTextsFontChoiceAndColours) {
    constexpr int H = -1;  // the width of a TrueType height, which stands alone; "": not offered
    const struct { int height, width; const char* text; } made[] = {
        {9, 5, " 9 x  5"},
        {16, 12, "16 x 12"},
        {99, 0, "99 x  0"},
        {1, 8, " 1 x  8"},
        {100, 8, ""},
        {12, 100, ""},
        {0, 8, ""},
        {1, H, " 1"},
        {0, H, ""},
        {100, H, ""}};
    for (const auto& c : made) {
        char text[SizeTextSize] = "ZZZZZZZ";
        const bool ok = c.width == H ? FormatHeightText(c.height, text) : FormatRasterSize(c.height, c.width, text);
        SCOPED_TRACE(std::to_string(c.height) + " x " + std::to_string(c.width));
        EXPECT_EQ(std::string(text) + "|" + std::to_string(ok), std::string(c.text) + "|" + std::to_string(*c.text != 0));
        if (ok) { EXPECT_EQ(SizeTextHeight(text) * 100 + SizeTextWidth(text), c.height * 100 + std::max(c.width, 0)); }
    }
    // Blanks, and characters missing at the end, read as 0.
    const std::pair<const char*, int> sizes[] = {
        {"", 0},
        {"  x  ", 0},
        {"7", 7000},
        {"12 x 3", 1230},
        {"12 x", 1200}};
    for (auto [text, size] : sizes) EXPECT_EQ(SizeTextHeight(text) * 100 + SizeTextWidth(text), size) << text;
    const std::pair<int, int> indices[] = {
        {-5, 0},
        {19, 7},
        {30, 8}};
    for (auto [height, index] : indices) EXPECT_EQ(TrueTypeSizeIndex(height), index) << height;
    StoreFontChoice(std::string(40, 'F').c_str(), " 9 x  5", false);  // at most 31 characters of the face
    EXPECT_EQ(FontName + std::to_string(FontHeight) + "x" + std::to_string(FontWidth), std::string(31, 'F') + "9x5");
    DefaultSettings();
    uint32_t* const fields[] = {nullptr, &TextColor, &BkColor, &MarkTextColor, &MarkBkColor, nullptr};  // of 315..320
    for (int i = 0; i < 6; ++i) EXPECT_EQ(CommandColor(315 + i), fields[i]) << 315 + i;
}
