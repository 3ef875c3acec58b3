#include "appearance/font_sizes.h"

#include <cstdio>
#include <cstring>

#include "appearance/appearance.h"

const int16_t TrueTypeHeights[TrueTypeHeightCount] = {8, 9, 10, 11, 12, 14, 16, 18, 20};

namespace {

bool TwoDigits(int n) { return n >= 0 && n <= 99; }

// A digit's value; a blank, the end of the text or anything else counts 0.
int Digit(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

// The two characters at pos as a number, reading nothing past the end.
int16_t TwoCharsAt(const char* text, size_t pos) {
    const size_t len = std::strlen(text);
    const int tens = pos < len ? Digit(text[pos]) : 0;
    const int ones = pos + 1 < len ? Digit(text[pos + 1]) : 0;
    return static_cast<int16_t>(tens * 10 + ones);
}

}  // namespace

bool FormatHeightText(int height, char text[SizeTextSize]) {
    text[0] = '\0';
    if (height < 1 || !TwoDigits(height)) return false;
    std::snprintf(text, SizeTextSize, "%2u", static_cast<unsigned>(height));
    return true;
}

bool FormatRasterSize(int height, int width, char text[SizeTextSize]) {
    text[0] = '\0';
    if (height < 1 || !TwoDigits(height) || !TwoDigits(width)) return false;
    std::snprintf(text, SizeTextSize, "%2u x %2u", static_cast<unsigned>(height),
                  static_cast<unsigned>(width));
    return true;
}

int16_t SizeTextHeight(const char* text) { return TwoCharsAt(text, 0); }

int16_t SizeTextWidth(const char* text) { return TwoCharsAt(text, 5); }

int TrueTypeSizeIndex(int fontHeight) {
    int index = 0;
    for (int i = 0; i < TrueTypeHeightCount; ++i)
        if (TrueTypeHeights[i] <= fontHeight) index = i;
    return index;
}

int RasterSizeIndex(const char* const* texts, int count) {
    if (count <= 0) return -1;
    for (int i = 0; i < count; ++i)
        if (std::strcmp(texts[i], "12 x  8") == 0) return i;
    return 0;
}

void StoreFontChoice(const char* family, const char* size, bool trueType) {
    std::snprintf(FontName, sizeof FontName, "%s", family);
    FontHeight = SizeTextHeight(size);
    FontWidth = trueType ? 0 : SizeTextWidth(size);
}
