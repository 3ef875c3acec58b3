// The size texts of the screen-font dialog: made from a raster size and read
// back as the height and width stored.
#include <gtest/gtest.h>

#include <string>

#include "appearance/font_sizes.h"

namespace {

TEST(FontSizeText, RasterSizesAreWrittenInTwoColumnsAndReadBack) {
    const struct {
        int height, width;
        const char* text;  // "" when the size cannot be offered
    } cases[] = {
        {12, 8, "12 x  8"}, {9, 5, " 9 x  5"},   {16, 12, "16 x 12"},  // a two-digit width
        {8, 10, " 8 x 10"}, {99, 99, "99 x 99"}, {100, 8, ""},        {12, 100, ""}, {0, 8, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.height) + " x " + std::to_string(c.width));
        char text[SizeTextSize];
        EXPECT_EQ(FormatRasterSize(c.height, c.width, text), *c.text != '\0');
        EXPECT_STREQ(text, c.text);
        if (!*c.text) continue;
        EXPECT_EQ(SizeTextHeight(text), c.height);
        EXPECT_EQ(SizeTextWidth(text), c.width);
    }
}

}  // namespace
